#include <unistd.h>

#include <csignal>

#include "cli/console.h"

namespace hanabira {
namespace {

std::atomic<bool>* interruptFlag = nullptr;
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

extern "C" void onInterrupt(int) { interruptFlag->store(true); }

}  // namespace

void stopOnFirstInterrupt(std::atomic<bool>& cancel) {
  interruptFlag = &cancel;
  // SA_RESETHAND: the second Ctrl-C meets the default action.
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

bool errorStreamIsTerminal() { return isatty(STDERR_FILENO) == 1; }

std::vector<std::string> utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void prepareStandardStreams() {}

}  // namespace hanabira
