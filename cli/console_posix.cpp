#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>

#include "cli/cli_app.h"
#include "cli/console.h"
#include "cli/output_file.h"

namespace hanabira {
namespace {

std::atomic<bool>* cancelFlag = nullptr;
std::atomic<int>* stopCode = nullptr;
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "the stop may be asked for from a signal handler");

void requestStop(int signal) {
  stopCode->store(128 + signal);
  cancelFlag->store(true);
}

extern "C" void onSignal(int signal) { requestStop(signal); }

void writeError(std::string_view text) {
  [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
}

[[noreturn]] void stopAtOnce() {
  const std::string message = settleOutputsAtOnce();
  if (errorStreamIsTerminal()) writeError("\n");  // below the progress line
  writeError(message);
  ::_exit(exitStoppedAtOnce);
}

// On a thread of its own, the signals blocked on every thread: no handler interrupts the
// program, and the stop at once may take locks and rename files.
void watch(sigset_t signals) {
  int signal = 0;
  while (sigwait(&signals, &signal) != 0) {
  }
  requestStop(signal);
  while (sigwait(&signals, &signal) != 0) {
  }
  stopAtOnce();
}

// Where no thread can be had for the watch: handlers that ask for the stop, and the
// second signal meets the default action.
void handleSignals(const sigset_t& signals) {
  struct sigaction action {};
  action.sa_handler = onSignal;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    if (sigismember(&signals, signal) == 1) sigaction(signal, &action, nullptr);
  }
}

}  // namespace

void stopOnSignals(std::atomic<bool>& cancel, std::atomic<int>& exitCode) {
  cancelFlag = &cancel;
  stopCode = &exitCode;
  // Past a file size limit a write fails like one to a full disk, instead of ending the
  // process with the output unfinished.
  std::signal(SIGXFSZ, SIG_IGN);

  sigset_t signals;
  sigemptyset(&signals);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction old {};
    sigaction(signal, nullptr, &old);
    // Ctrl-C stops the program even where a shell started it ignoring SIGINT, as ever.
    if (old.sa_handler == SIG_IGN && signal != SIGINT) continue;
    if (old.sa_handler == SIG_IGN) std::signal(signal, SIG_DFL);
    sigaddset(&signals, signal);
  }
  sigset_t previous;
  pthread_sigmask(SIG_BLOCK, &signals, &previous);
  try {
    std::thread(watch, signals).detach();
  } catch (const std::system_error&) {
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    handleSignals(signals);
  }
}

bool errorStreamIsTerminal() { return isatty(STDERR_FILENO) == 1; }

std::vector<std::string> utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void prepareStandardStreams() {}

}  // namespace hanabira
