# HANABIRA_SANITIZE: "address" (AddressSanitizer + UndefinedBehaviorSanitizer) or "thread".
set(HANABIRA_SANITIZE "" CACHE STRING "Sanitizers to build with: address or thread")

if(HANABIRA_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(HANABIRA_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT HANABIRA_SANITIZE STREQUAL "")
  message(FATAL_ERROR "HANABIRA_SANITIZE must be empty, address or thread")
endif()

# The fuzz targets link with libFuzzer; everything is compiled with its coverage
# instrumentation, so that the library's branches guide the fuzzing too.
if(HANABIRA_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "HANABIRA_BUILD_FUZZERS needs clang (cmake --preset fuzz)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
