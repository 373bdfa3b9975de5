# tarnello_add_library(<name> [HEADER_ONLY] SOURCES <files...> [LIBS <targets...>] [PRIVATE_LIBS <targets...>])
# One library of ours: warnings on, symbols hidden (the bundle exports only its
# entry points), and the project root plus the generated-headers folder as the include
# root, so that every include names its folder ("framework/StateManager.h").
# HEADER_ONLY makes an interface library of headers: it passes on the include root
# and its LIBS, and has nothing to compile.
set(TARNELLO_GENERATED_INCLUDE_DIR "${PROJECT_BINARY_DIR}/generated" CACHE INTERNAL "")
file(MAKE_DIRECTORY "${TARNELLO_GENERATED_INCLUDE_DIR}")

function(tarnello_add_library name)
  cmake_parse_arguments(ARG "HEADER_ONLY" "" "SOURCES;LIBS;PRIVATE_LIBS" ${ARGN})
  if(NOT ARG_SOURCES)
    message(FATAL_ERROR "tarnello_add_library(${name}): no SOURCES given")
  endif()
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tarnello_add_library(${name}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(ARG_HEADER_ONLY)
    if(ARG_PRIVATE_LIBS)
      message(FATAL_ERROR "tarnello_add_library(${name}): a HEADER_ONLY library has no PRIVATE_LIBS")
    endif()
    add_library(${name} INTERFACE ${ARG_SOURCES})
    target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}" "${TARNELLO_GENERATED_INCLUDE_DIR}")
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}" "${TARNELLO_GENERATED_INCLUDE_DIR}")
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  tarnello_warnings(${name})
endfunction()
