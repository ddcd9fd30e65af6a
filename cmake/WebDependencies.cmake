# The libraries of the WebAssembly build (emscripten). Debian ships them built for the
# host only, and its include folder holds the host's C library headers too, so the
# headers come from a folder of their own: nlohmann/json is header-only and fmt is built
# from its headers (cmake/fmt_format.cpp). Nothing here needs iconv, CLI11 or GoogleTest.
set(headers ${PROJECT_BINARY_DIR}/web-include)
file(MAKE_DIRECTORY ${headers})
foreach(folder fmt nlohmann)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing (scripts/install-dependencies)")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${headers}/${folder} SYMBOLIC)
endforeach()

add_library(fmt STATIC ${PROJECT_SOURCE_DIR}/cmake/fmt_format.cpp)
target_include_directories(fmt SYSTEM PUBLIC ${headers})
add_library(fmt::fmt ALIAS fmt)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${headers})

# The engine reports refused settings by exceptions, which the module catches and hands
# to JavaScript as refusals; emscripten's prebuilt libraries catch them the JavaScript way.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
