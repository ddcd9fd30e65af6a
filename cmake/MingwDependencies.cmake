# The libraries of a MinGW build: fmt, CLI11 and nlohmann/json from the host's headers,
# GoogleTest from Debian's source package.
include(${CMAKE_CURRENT_LIST_DIR}/CrossHeaderLibraries.cmake)
hanabira_cross_header_libraries(fmt CLI nlohmann)

if(HANABIRA_BUILD_TESTS)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # Defines GTest::gtest and GTest::gtest_main as find_package(GTest) does.
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
