#include <unistd.h>

#include <atomic>
#include <csignal>
#include <iostream>

#include "cli/cli_app.h"

namespace {

std::atomic<bool> cancelRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

extern "C" void onInterrupt(int) { cancelRequested.store(true); }

}  // namespace

int main(int argc, char** argv) {
  // The first Ctrl-C stops the search cleanly; a second one (default action) ends the process.
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);

  const hanabira::CliEnvironment environment{std::cout, std::cerr, isatty(STDERR_FILENO) == 1, &cancelRequested};
  return hanabira::runCli(argc, argv, environment);
}
