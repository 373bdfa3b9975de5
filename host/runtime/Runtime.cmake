# The stand-in host's run-time objects: what a running effect instance talks to.
target_sources(tarnello_standin_host PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PluginGUI.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PluginInstance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RuntimeObjects.cpp)
