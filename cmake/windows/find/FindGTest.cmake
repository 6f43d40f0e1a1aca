# GoogleTest for a cross build, compiled from the sources Debian's googletest
# package puts in /usr/src/googletest, with the names find_package(GTest) gives.
if(NOT TARGET GTest::gtest)
  set(GESTALIA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${GESTALIA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest's own build names its libraries GTest::gtest, GTest::gmock ...
endif()
set(GTest_FOUND TRUE)
set(GTEST_FOUND TRUE)
