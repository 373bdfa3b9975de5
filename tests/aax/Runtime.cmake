# The run-time half of the layer: proxies, parameters, packets, the settings
# chunk and the effect-parameters object, against the stand-in host's run-time
# objects in process.
tarnello_add_test_suite(test_aax_runtime
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ChunkDataParserTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EffectParametersTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PacketDispatcherTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ParameterTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RuntimeProxiesTest.cpp
  LIBS tarnello_aax tarnello_standin_host
  LABELS aax)
target_include_directories(test_aax_runtime PRIVATE ${CMAKE_CURRENT_LIST_DIR})
