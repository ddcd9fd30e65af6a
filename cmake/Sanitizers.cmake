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
