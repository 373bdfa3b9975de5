# The run-time half of the host-interface layer: the host proxies an instance
# uses, parameters with their delegates, packets, the settings chunk and the
# effect-parameters object.
target_sources(tarnello_aax PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AAX_CChunkDataParser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AAX_CEffectGUI.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AAX_CEffectParameters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AAX_CPacketDispatcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AAX_CParameter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AAX_CParameterManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AAX_IEffectGUI.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AAX_IEffectParameters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AAX_VAutomationDelegate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AAX_VController.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AAX_VPageTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AAX_VTransport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AAX_VViewContainer.cpp)
