# Every target of the project builds with warnings as errors; third-party code (GoogleTest) is left alone.
function(zqt_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
                                           -Wnon-virtual-dtor -Wold-style-cast -Werror)
endfunction()
