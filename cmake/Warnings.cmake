# Warnings for our own targets only; JUCE's sources are compiled without them.
function(tarnello_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wnon-virtual-dtor
                                           -Wno-unused-parameter)
endfunction()
