# Sanitizers apply to everything, JUCE included, so that instrumented and
# uninstrumented code never share an object.
if(TARNELLO_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(TARNELLO_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT TARNELLO_SANITIZE STREQUAL "")
  message(FATAL_ERROR "TARNELLO_SANITIZE must be empty, 'address' or 'thread'")
endif()
