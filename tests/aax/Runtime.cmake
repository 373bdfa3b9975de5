# The run-time half of the layer: proxies, parameters, packets, the settings
# chunk and the effect-parameters object, against the stand-in host's run-time
# objects in process.
tarnello_add_test_suite(test_aax_runtime
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ChunkDataParserTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EffectGUITest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EffectParametersTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PacketDispatcherTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ParameterTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RuntimeProxiesTest.cpp
  LIBS tarnello_aax tarnello_standin_host
  LABELS aax)
target_include_directories(test_aax_runtime PRIVATE ${CMAKE_CURRENT_LIST_DIR})

# Fuzz targets for the two parsers of host data: the 'elck' chunk and the 'juce'
# state chunk. Built with clang; scripts/fuzz.sh builds and runs them.
if(TARNELLO_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TARNELLO_BUILD_FUZZERS needs clang (configure with CXX=clang++)")
  endif()
  # Coverage feedback from our own code; JUCE is only sanitized.
  foreach(library tarnello_aax tarnello_framework tarnello_effect tarnello_product tarnello_editor tarnello_dsp)
    if(TARGET ${library})
      target_compile_options(${library} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
  endforeach()

  add_executable(fuzz_elck_chunk ${CMAKE_CURRENT_LIST_DIR}/fuzz/ElckChunkFuzzer.cpp)
  target_link_libraries(fuzz_elck_chunk PRIVATE tarnello_aax)

  add_executable(fuzz_juce_chunk ${CMAKE_CURRENT_LIST_DIR}/fuzz/JuceChunkFuzzer.cpp)
  target_link_libraries(fuzz_juce_chunk PRIVATE tarnello_product tarnello_juce)

  foreach(fuzzer fuzz_elck_chunk fuzz_juce_chunk)
    target_compile_options(${fuzzer} PRIVATE -fsanitize=fuzzer)
    target_link_options(${fuzzer} PRIVATE -fsanitize=fuzzer)
    tarnello_warnings(${fuzzer})
  endforeach()

  add_executable(tarnello_fuzz_seeds ${CMAKE_CURRENT_LIST_DIR}/fuzz/FuzzSeeds.cpp)
  target_link_libraries(tarnello_fuzz_seeds PRIVATE tarnello_aax tarnello_product tarnello_juce)
  tarnello_warnings(tarnello_fuzz_seeds)
endif()

# The bridge to the product, in process and through the loaded product bundle.
if(TARGET tarnello_bundle)
  tarnello_add_test_suite(test_aax_bridge
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/BridgeProcessorTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/BundleEditorTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/BundleRuntimeTest.cpp
    LIBS tarnello_aax_bridge tarnello_product tarnello_standin_host tarnello_host_window
    LABELS aax)
  target_include_directories(test_aax_bridge PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(test_aax_bridge PRIVATE TARNELLO_PRODUCT_BUNDLE="${TARNELLO_PRODUCT_BUNDLE_DIR}")
  add_dependencies(test_aax_bridge tarnello_bundle)

  # The GUI object in real X windows (ctest label "display": run under xvfb-run).
  tarnello_add_test_suite(test_aax_display
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/BundleEditorDisplayTest.cpp
    LIBS tarnello_product tarnello_standin_host tarnello_host_window
    LABELS display)
  target_include_directories(test_aax_display PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(test_aax_display PRIVATE TARNELLO_PRODUCT_BUNDLE="${TARNELLO_PRODUCT_BUNDLE_DIR}")
  add_dependencies(test_aax_display tarnello_bundle)
endif()
