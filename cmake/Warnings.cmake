# Warnings for the project's own targets; third-party headers come in as system includes.
add_library(hanabira_warnings INTERFACE)
target_compile_options(hanabira_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  $<$<BOOL:${HANABIRA_WERROR}>:-Werror>)
