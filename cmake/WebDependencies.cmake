# The libraries of the WebAssembly build (emscripten): fmt and nlohmann/json from the
# host's headers. Nothing here needs iconv, CLI11 or GoogleTest's package.
include(${CMAKE_CURRENT_LIST_DIR}/CrossHeaderLibraries.cmake)
hanabira_cross_header_libraries(fmt nlohmann)

# The engine reports refused settings by exceptions, which the module catches and hands
# to JavaScript as refusals; emscripten's prebuilt libraries catch them the JavaScript way.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
