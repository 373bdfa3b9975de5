# JUCE's module targets are INTERFACE libraries: every target that links one
# compiles the module sources again. We compile the modules we use once, into
# tarnello_juce, and re-export only their include paths and definitions.
find_package(JUCE 7.0.5 EXACT CONFIG REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(TARNELLO_SYSLIBS REQUIRED IMPORTED_TARGET
  libpng libjpeg zlib flac vorbis vorbisfile vorbisenc ogg freetype2 fontconfig)
find_package(Threads REQUIRED)

find_path(ROBIN_MAP_INCLUDE_DIR tsl/robin_map.h REQUIRED)

add_library(tarnello_juce STATIC)
target_link_libraries(tarnello_juce
  PRIVATE
    juce::juce_core
    juce::juce_events
    juce::juce_data_structures
    juce::juce_graphics
    juce::juce_gui_basics
    juce::juce_gui_extra
    juce::juce_audio_basics
    juce::juce_audio_formats
    juce::juce_audio_processors
    juce::juce_dsp
  PUBLIC
    PkgConfig::TARNELLO_SYSLIBS
    Threads::Threads
    ${CMAKE_DL_LIBS}
    rt)

target_compile_definitions(tarnello_juce PUBLIC
  JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
  JUCE_WEB_BROWSER=0
  JUCE_USE_CURL=0
  JUCE_DISPLAY_SPLASH_SCREEN=0
  JUCE_REPORT_APP_USAGE=0
  JUCE_STANDALONE_APPLICATION=0
  JUCE_MODAL_LOOPS_PERMITTED=0
  JUCE_USE_XRANDR=1
  JUCE_USE_XINERAMA=1
  $<$<CONFIG:Debug>:DEBUG=1 _DEBUG=1>
  $<$<NOT:$<CONFIG:Debug>>:NDEBUG=1>)

target_include_directories(tarnello_juce SYSTEM INTERFACE
  $<TARGET_PROPERTY:juce::juce_core,INTERFACE_INCLUDE_DIRECTORIES>
  ${ROBIN_MAP_INCLUDE_DIR})
target_compile_definitions(tarnello_juce INTERFACE
  $<TARGET_PROPERTY:tarnello_juce,COMPILE_DEFINITIONS>)

# JUCE 7.0.5's GIF decoder reads two bytes before its code buffer on its first call
# (juce_GIFLoader.cpp, getCode); X11's dragging-hand cursor is such a GIF, so every
# rack drag would stop the sanitizer build inside the dependency. The read stays
# inside the decoder object and is not ours to mend: only the bounds check is left
# out, for that one module, and everything else stays instrumented.
if(TARNELLO_SANITIZE STREQUAL "address")
  set_source_files_properties("${JUCE_MODULES_DIR}/juce_graphics/juce_graphics.cpp"
    TARGET_DIRECTORY tarnello_juce
    PROPERTIES COMPILE_OPTIONS "-fno-sanitize=bounds")
endif()
