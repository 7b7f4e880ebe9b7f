# Every target of the project builds with these warnings, as errors when ZQT_WERROR is on; third-party code
# (GoogleTest) is left alone. C targets (the example host) leave out the two that only C++ knows.
function(zqt_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
                                           "$<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor;-Wold-style-cast>")
  if(ZQT_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # GCC 12 reports std::string concatenation at -O2 as overlapping memcpy (GCC bug 105329), a false alarm.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()
