# A panel layout document is stored in the program gzip-compressed, as a byte array
# in a generated header, so the shipped binary carries no readable layout text. The
# editor inflates it with JUCE when the first panel is made.
#
# tarnello_scramble_layout(<target> SOURCE <xml> HEADER <header path under generated/> SYMBOL <name>)
# adds the generated header to <target>'s sources, rebuilt when the document changes.
# Run as a script (cmake -P) with SOURCE, HEADER, SYMBOL and WORK_DIR defined, it writes the header.

if(CMAKE_SCRIPT_MODE_FILE)
  get_filename_component(source_name "${SOURCE}" NAME)
  file(MAKE_DIRECTORY "${WORK_DIR}")
  file(COPY_FILE "${SOURCE}" "${WORK_DIR}/${source_name}" ONLY_IF_DIFFERENT)
  set(packed "${WORK_DIR}/${SYMBOL}.gz")
  file(ARCHIVE_CREATE OUTPUT "${packed}" PATHS "${WORK_DIR}/${source_name}"
       FORMAT raw COMPRESSION GZip)
  file(READ "${packed}" hex HEX)
  file(SIZE "${packed}" size)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
  file(WRITE "${HEADER}.tmp"
    "// Generated from ${source_name} at build time; do not edit.\n"
    "#pragma once\n\n"
    "#include <cstddef>\n\n"
    "inline constexpr unsigned char ${SYMBOL}[] = {\n    ${bytes}\n};\n"
    "inline constexpr std::size_t ${SYMBOL}Size = ${size};\n")
  file(COPY_FILE "${HEADER}.tmp" "${HEADER}" ONLY_IF_DIFFERENT)
  file(REMOVE "${HEADER}.tmp")
  return()
endif()

set(TARNELLO_SCRAMBLE_LAYOUT_SCRIPT "${CMAKE_CURRENT_LIST_FILE}" CACHE INTERNAL "")

function(tarnello_scramble_layout target)
  cmake_parse_arguments(ARG "" "SOURCE;HEADER;SYMBOL" "" ${ARGN})
  set(header "${TARNELLO_GENERATED_INCLUDE_DIR}/${ARG_HEADER}")
  add_custom_command(
    OUTPUT "${header}"
    COMMAND "${CMAKE_COMMAND}" -DSOURCE=${ARG_SOURCE} -DHEADER=${header} -DSYMBOL=${ARG_SYMBOL}
            -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/layouts -P "${TARNELLO_SCRAMBLE_LAYOUT_SCRIPT}"
    DEPENDS "${ARG_SOURCE}" "${TARNELLO_SCRAMBLE_LAYOUT_SCRIPT}"
    COMMENT "Packing the panel layout ${ARG_SOURCE}"
    VERBATIM)
  target_sources(${target} PRIVATE "${header}")
endfunction()
