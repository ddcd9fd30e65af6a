#include <atomic>
#include <iostream>

#include "cli/cli_app.h"
#include "cli/console.h"
#include "i18n/ui_language.h"

int main(int argc, char** argv) {
  static std::atomic<bool> cancelRequested{false};
  static std::atomic<int> stopExitCode{0};
  hanabira::stopOnSignals(cancelRequested, stopExitCode);
  hanabira::prepareStandardStreams();

  const std::vector<std::string> arguments = hanabira::utf8Arguments(argc, argv);
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  const hanabira::CliEnvironment environment{std::cout,        std::cerr,     hanabira::errorStreamIsTerminal(),
                                             &cancelRequested, &stopExitCode, hanabira::uiLanguageFromEnvironment()};
  return hanabira::runCli(static_cast<int>(pointers.size()), pointers.data(), environment);
}
