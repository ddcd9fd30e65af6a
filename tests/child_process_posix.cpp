#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

#include "child_process.h"

extern char** environ;

namespace hanabira::testing {

struct ChildProcess::Handle {
  pid_t pid;
};

ChildProcess::ChildProcess(const std::vector<std::string>& command, const std::filesystem::path& directory,
                           const std::filesystem::path& standardOutput, const std::filesystem::path& standardError) {
  std::vector<std::string> argv = command;
  std::vector<char*> pointers;
  for (std::string& arg : argv) pointers.push_back(arg.data());
  pointers.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, standardOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, standardError.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, argv[0].c_str(), &actions, nullptr, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + argv[0]);
  handle_ = std::make_unique<Handle>(pid);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept = default;

ChildProcess::~ChildProcess() {
  if (handle_ != nullptr) wait();
}

void ChildProcess::interrupt() { send(SIGINT); }

void ChildProcess::send(int signal) { kill(handle_->pid, signal); }

ChildProcess::Ended ChildProcess::wait() {
  int status = 0;
  rusage usage{};
  wait4(handle_->pid, &status, 0, &usage);
  handle_.reset();
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), usage.ru_maxrss};
}

}  // namespace hanabira::testing
