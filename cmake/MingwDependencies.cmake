# The libraries of a MinGW build. Debian ships them built for Linux only, and its include
# folder holds Linux's C library headers too, so the headers come from a folder of
# their own: CLI11 and nlohmann/json are header-only, fmt is built from its headers
# (cmake/fmt_format.cpp), and GoogleTest from Debian's source package.
set(headers ${PROJECT_BINARY_DIR}/mingw-include)
file(MAKE_DIRECTORY ${headers})
foreach(folder fmt CLI nlohmann)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing (scripts/install-dependencies)")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${headers}/${folder} SYMBOLIC)
endforeach()

add_library(fmt STATIC ${PROJECT_SOURCE_DIR}/cmake/fmt_format.cpp)
target_include_directories(fmt SYSTEM PUBLIC ${headers})
add_library(fmt::fmt ALIAS fmt)
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${headers})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${headers})

if(HANABIRA_BUILD_TESTS)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # Defines GTest::gtest and GTest::gtest_main as find_package(GTest) does.
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
