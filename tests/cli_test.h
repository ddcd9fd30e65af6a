// hanabira-cli as a user runs it: a real process in a folder of its own, real files, real
// signals.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"

namespace hanabira {

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
  long maxResidentKb = 0;
};

std::string slurp(const std::filesystem::path& path);

// Sets a variable of this process, which the programs it starts inherit; nullopt removes it.
void setEnvironment(const char* name, const std::optional<std::string>& value);

// The date fields of a search of 2011-09-27, for settings files.
extern const std::string datesJson;

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path file(const std::string& name) const;
  std::filesystem::path writeFile(const std::string& name, const std::string& text) const;

  // Starts the program in the test's directory (through the emulator when it was built
  // for another architecture of Linux).
  testing::ChildProcess start(const std::vector<std::string>& args,
                              const std::filesystem::path& standardOutput = {}) const;
  Outcome finish(testing::ChildProcess& child) const;
  Outcome run(const std::vector<std::string>& args) const;

#ifndef _WIN32
  // The program under a shell's resource limit, such as "-f 0" (no file may grow).
  Outcome runLimited(const std::string& limit, const std::vector<std::string>& args) const;
#endif
  // Whether the program runs through an emulator, whose own needs a limit would meet.
  static bool emulated();

  // Waits (5 s at most) until a file whose name starts with `prefix` holds `bytes`:
  // the result file, or the temporary file it is written to until the end.
  void waitForGrowth(const std::string& prefix, std::uintmax_t bytes) const;
  // The names of temporary files left in the test's directory.
  std::vector<std::string> temporaryFiles() const;

  std::filesystem::path dir_;
};

}  // namespace hanabira
