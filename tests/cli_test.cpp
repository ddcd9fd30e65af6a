#include "cli_test.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "core/utf8_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace hanabira {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void setEnvironment(const char* name, const std::optional<std::string>& value) {
#ifdef _WIN32
  // The programs the tests start inherit the process's environment block.
  SetEnvironmentVariableA(name, value ? value->c_str() : nullptr);
#else
  if (value) {
    ::setenv(name, value->c_str(), 1);
  } else {
    ::unsetenv(name);
  }
#endif
}

const std::string datesJson =
    R"("startYear": 11, "startMonth": 9, "startDay": 27, "endYear": 11, "endMonth": 9, "endDay": 27)";

void CliTest::SetUp() {
  dir_ = fs::temp_directory_path() / ("hanabira-cli-test-" + std::to_string(getpid()) + "-" +
                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(dir_);
  fs::create_directories(dir_);
  // The program speaks the locale's language: under "C" it speaks the English the tests
  // expect, whatever the locale of the machine that runs them (and, on Windows, its
  // user's language).
  for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) setEnvironment(variable, std::nullopt);
  setEnvironment("LANG", "C");
}

void CliTest::TearDown() { fs::remove_all(dir_); }

fs::path CliTest::file(const std::string& name) const { return dir_ / pathFromUtf8(name); }

fs::path CliTest::writeFile(const std::string& name, const std::string& text) const {
  std::ofstream(file(name), std::ios::binary) << text;
  return file(name);
}

testing::ChildProcess CliTest::start(const std::vector<std::string>& args, const fs::path& standardOutput) const {
  std::vector<std::string> command = HANABIRA_CLI_COMMAND;
  command.insert(command.end(), args.begin(), args.end());
  return {command, dir_, standardOutput.empty() ? file("stdout") : standardOutput, file("stderr")};
}

Outcome CliTest::finish(testing::ChildProcess& child) const {
  const testing::ChildProcess::Ended ended = child.wait();
  std::string err = slurp(file("stderr"));
#ifdef _WIN32
  // The error stream is text, whose lines end in CR LF on Windows.
  std::erase(err, '\r');
#endif
  return {ended.exitCode, slurp(file("stdout")), err, ended.peakMemoryKb};
}

Outcome CliTest::run(const std::vector<std::string>& args) const {
  testing::ChildProcess child = start(args);
  return finish(child);
}

#ifndef _WIN32
Outcome CliTest::runLimited(const std::string& limit, const std::vector<std::string>& args) const {
  std::vector<std::string> command = {"/bin/sh", "-c", "ulimit " + limit + " && exec \"$@\"", "sh"};
  const std::vector<std::string> program = HANABIRA_CLI_COMMAND;
  command.insert(command.end(), program.begin(), program.end());
  command.insert(command.end(), args.begin(), args.end());
  testing::ChildProcess child(command, dir_, file("stdout"), file("stderr"));
  return finish(child);
}
#endif

bool CliTest::emulated() { return std::vector<std::string> HANABIRA_CLI_COMMAND.size() > 1; }

void CliTest::waitForGrowth(const std::string& prefix, std::uintmax_t bytes) const {
  const auto grown = [&] {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_, error)) {
      if (utf8FromPath(entry.path().filename()).starts_with(prefix) && entry.file_size(error) >= bytes) return true;
    }
    return false;
  };
  for (int i = 0; i < 500 && !grown(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

std::vector<std::string> CliTest::temporaryFiles() const {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
    const std::string name = utf8FromPath(entry.path().filename());
    if (name.ends_with(".tmp")) names.push_back(name);
  }
  return names;
}

}  // namespace hanabira
