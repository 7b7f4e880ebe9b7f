# GoogleTest: the installed package where there is one (native), else Debian's source tree built with this
# tree's compiler (the MinGW builds). Both provide GTest::gtest and GTest::gtest_main.
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
