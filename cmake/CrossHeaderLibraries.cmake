# Debian ships fmt, CLI11 and nlohmann/json built for the host only, and its include folder
# holds the host's C library headers too. A cross build (MinGW, emscripten) therefore takes
# their headers from a folder of links of its own: fmt is built from its headers
# (cmake/fmt_format.cpp), CLI11 and nlohmann/json are header-only.
#   hanabira_cross_header_libraries(fmt CLI nlohmann)   # folders of /usr/include
function(hanabira_cross_header_libraries)
  set(headers ${PROJECT_BINARY_DIR}/cross-include)
  file(MAKE_DIRECTORY ${headers})
  foreach(folder IN LISTS ARGN)
    if(NOT EXISTS /usr/include/${folder})
      message(FATAL_ERROR "/usr/include/${folder} is missing (scripts/install-dependencies)")
    endif()
    file(CREATE_LINK /usr/include/${folder} ${headers}/${folder} SYMBOLIC)
  endforeach()

  add_library(fmt STATIC ${PROJECT_SOURCE_DIR}/cmake/fmt_format.cpp)
  target_include_directories(fmt SYSTEM PUBLIC ${headers})
  add_library(fmt::fmt ALIAS fmt)
  if(CLI IN_LIST ARGN)
    add_library(CLI11::CLI11 INTERFACE IMPORTED)
    target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${headers})
  endif()
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${headers})
endfunction()
