// What the program leaves behind when a run is refused, fails, is stopped or runs out of
// something: the old output as it was, or the new one whole.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>

#include "cli/cli_app.h"
#include "cli_test.h"
#include "core/utf8_path.h"
#include "test_support.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace hanabira {
namespace {

namespace fs = std::filesystem;

// --- Output file ---

TEST_F(CliTest, ARefusedRunLeavesTheOldFiles) {
  writeFile("keep.txt", "old");
  writeFile("shard.txt", "old data");
  writeFile("shard.txt.shard.json", "old record");
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--example", "-o", "keep.txt", "--device", "5"},
                                               {"--example", "--shard", "1/2", "-o", "shard.txt", "--device", "5"}}) {
    const Outcome refused = run(args);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("error: --device 5: "), std::string::npos) << refused.err;
  }
#ifndef _WIN32  // Wine's OpenCL reaches the host's platforms whatever OCL_ICD_VENDORS says
  fs::create_directories(file("no-vendors"));
  const char* const vendors = std::getenv("OCL_ICD_VENDORS");
  const std::optional<std::string> vendorsBefore =
      vendors != nullptr ? std::optional<std::string>(vendors) : std::nullopt;
  setEnvironment("OCL_ICD_VENDORS", utf8FromPath(file("no-vendors")));
  const Outcome noPlatform = run({"--example", "--backend", "opencl", "-o", "keep.txt"});
  setEnvironment("OCL_ICD_VENDORS", vendorsBefore);
  EXPECT_EQ(noPlatform.exitCode, 2);
#endif
  EXPECT_EQ(slurp(file("keep.txt")), "old");
  EXPECT_EQ(slurp(file("shard.txt")), "old data");
  EXPECT_EQ(slurp(file("shard.txt.shard.json")), "old record");
  EXPECT_TRUE(temporaryFiles().empty());
}

// Two searches of the same size into one file at once: the file is one of them whole.
TEST_F(CliTest, TwoRunsOnOneOutputLeaveOneWholeResult) {
  const std::string tenMinutes = R"(, "startMinute": 0, "endMinute": 9, "keyInputEnabled": true})";
  writeFile("ten.json", "{" + datesJson + R"(, "startHour": 10, "endHour": 10)" + tenMinutes);
  writeFile("eleven.json", "{" + datesJson + R"(, "startHour": 11, "endHour": 11)" + tenMinutes);
  ASSERT_EQ(run({"-s", "ten.json", "-o", "ten.txt", "-q"}).exitCode, 0);
  ASSERT_EQ(run({"-s", "eleven.json", "-o", "eleven.txt", "-q"}).exitCode, 0);
  const std::string ten = slurp(file("ten.txt"));
  const std::string eleven = slurp(file("eleven.txt"));
  for (int trial = 0; trial < 3; ++trial) {
    testing::ChildProcess first = start({"-s", "ten.json", "-o", "both.txt", "-q"}, file("stdout-1"));
    testing::ChildProcess second = start({"-s", "eleven.json", "-o", "both.txt", "-q"}, file("stdout-2"));
    EXPECT_EQ(first.wait().exitCode, 0);
    EXPECT_EQ(second.wait().exitCode, 0);
    const std::string both = slurp(file("both.txt"));
    EXPECT_TRUE(both == ten || both == eleven) << both.size() << " bytes, trial " << trial;
  }
  EXPECT_TRUE(temporaryFiles().empty());
}

#ifndef _WIN32
TEST_F(CliTest, AFailedWriteLeavesTheOldFiles) {
  writeFile("keep.txt", "old");
  writeFile("shard.txt", "old data");
  writeFile("shard.txt.shard.json", "old record");
  // Files may grow to a few kilobytes: the messages fit, the results do not.
  const Outcome tooLarge = runLimited("-f 8", {"--example", "-o", "keep.txt"});
  EXPECT_EQ(tooLarge.exitCode, 1);
  EXPECT_EQ(tooLarge.err, "error: cannot write result file 'keep.txt': File too large\n");
  EXPECT_EQ(runLimited("-f 8", {"--example", "--shard", "1/2", "-o", "shard.txt"}).exitCode, 1);
  EXPECT_EQ(slurp(file("keep.txt")), "old");
  EXPECT_EQ(slurp(file("shard.txt")), "old data");
  EXPECT_EQ(slurp(file("shard.txt.shard.json")), "old record");
  EXPECT_TRUE(temporaryFiles().empty());
}

// A link stays a link, with the file it points to replaced; a FIFO or a device is written
// as it is.
TEST_F(CliTest, WhatIsNotARegularFileIsWrittenInPlace) {
  const std::string expected = run({"--example", "-o", "-", "-q"}).out;
  fs::create_directories(file("elsewhere"));
  writeFile("elsewhere/target.txt", "old");
  fs::create_symlink("elsewhere/target.txt", file("link.txt"));
  EXPECT_EQ(run({"--example", "-o", "link.txt", "-q"}).exitCode, 0);
  EXPECT_TRUE(fs::is_symlink(file("link.txt")));
  EXPECT_EQ(slurp(file("elsewhere/target.txt")), expected);
  EXPECT_EQ(std::distance(fs::directory_iterator(file("elsewhere")), fs::directory_iterator()), 1);

  ASSERT_EQ(::mkfifo(file("fifo").c_str(), 0600), 0);
  std::string piped;
  std::thread reader([&] { piped = slurp(file("fifo")); });
  EXPECT_EQ(run({"--example", "-o", "fifo", "-q"}).exitCode, 0);
  reader.join();
  EXPECT_EQ(piped, expected);
  EXPECT_TRUE(fs::is_fifo(file("fifo")));

  EXPECT_EQ(run({"--example", "-o", "/dev/null", "-q"}).exitCode, 0);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}
#endif

// --- Resources ---

TEST_F(CliTest, ASettingsFileOverAMebibyteIsRefused) {
  std::string settings = "{" + datesJson + "}";
  settings.resize(1 << 20, ' ');
  writeFile("full.json", settings);
  EXPECT_EQ(run({"-s", "full.json", "--print-settings"}).exitCode, 0);
  writeFile("over.json", settings + ' ');
  const Outcome over = run({"-s", "over.json"});
  EXPECT_EQ(over.exitCode, 1);
  EXPECT_EQ(over.err,
            "error: cannot read settings file 'over.json': longer than 1048576 bytes, the limit for a "
            "settings file\n");
}

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Under a limit of address space (the sanitizers reserve terabytes of it).
TEST_F(CliTest, NoMemoryOrThreadIsExitOneWithTheOldFile) {
  if (emulated()) GTEST_SKIP() << "the emulator needs more address space than the program";
  writeFile("keep.txt", "old");
  // Thread stacks of 8 MB each (the usual stack limit): 64 threads do not fit in 300 MB.
  const Outcome threads = runLimited("-v 300000", {"--example", "--backend", "cpu", "-j", "64", "-o", "keep.txt"});
  EXPECT_EQ(threads.exitCode, 1);
  EXPECT_TRUE(threads.err.starts_with("error: cannot start another thread (")) << threads.err;
  EXPECT_EQ(slurp(file("keep.txt")), "old");
  EXPECT_TRUE(temporaryFiles().empty());

  // A mebibyte of nested arrays takes some 80 MB to parse.
  writeFile("nested.json", std::string(1 << 20, '['));
  const Outcome memory = runLimited("-v 60000", {"-s", "nested.json"});
  EXPECT_EQ(memory.exitCode, 1);
  EXPECT_EQ(memory.err, "error: out of memory\n");
}
#endif

// --- Calibrate ---

// The command line in this process, stopped before it starts when `stopCode` is given.
Outcome calibrateHere(std::vector<std::string> args, int stopCode = 0) {
  args.insert(args.begin(), {"hanabira-cli", "calibrate"});
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out;
  std::ostringstream err;
  const std::atomic<bool> cancel{stopCode != 0};
  const std::atomic<int> code{stopCode};
  const int exitCode = runCli(static_cast<int>(argv.size()), argv.data(), {out, err, false, &cancel, &code});
  return {exitCode, out.str(), err.str()};
}

const std::string workedExample = testing::sourceTreePath("docs/examples/white2-calibrate.json");

TEST_F(CliTest, AStoppedCalibrationSaysItsListIsPartialAndStoresNothing) {
  writeFile("config.txt", "old");
  const std::string config = utf8FromPath(file("config.txt"));
  for (const int stopCode : {130, 143}) {
    const Outcome stopped = calibrateHere({"-s", workedExample, "--save-config", config}, stopCode);
    EXPECT_EQ(stopped.exitCode, stopCode);
    EXPECT_TRUE(stopped.err.starts_with("aborted: 0 parameter sets in ")) << stopped.err;
    EXPECT_TRUE(stopped.err.ends_with(
        " s, a partial list (113 VCount, 3329 Timer0, 1 frame, 5 s either side)\nnothing stored in " + config + "\n"))
        << stopped.err;
  }
  EXPECT_EQ(slurp(file("config.txt")), "old");
#ifndef _WIN32
  // No file may grow: the new config.txt cannot be written, and the old one stays.
  const Outcome full = runLimited("-f 0", {"calibrate", "-s", workedExample, "--save-config", "config.txt"});
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_EQ(slurp(file("config.txt")), "old");
  EXPECT_TRUE(temporaryFiles().empty());
#endif
}

TEST_F(CliTest, CalibrateOptionsAreCheckedAndNamed) {
  for (const std::string seed : {"-1", "+1", "0x1", " 1", "12345678901234567"}) {
    const Outcome refused = calibrateHere({"-s", workedExample, "--seed", seed});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err, "error: --seed " + seed + ": expected up to 16 hexadecimal digits\n");
  }
  EXPECT_EQ(calibrateHere({"-s", workedExample, "--seed", ""}).err,
            "error: --seed \"\": expected up to 16 hexadecimal digits\n");
  EXPECT_EQ(calibrateHere({"-s", workedExample, "--frames", "6,8,6"}).err,
            "error: --frames 6,8,6: frame 6 is given more than once\n");
  EXPECT_EQ(calibrateHere({"-s", workedExample, "--seconds", "601"}).err, "error: --seconds 601: must be 0 to 600\n");

  // The seeds depend on the address: without it (or the message words) nothing is searched.
  const std::string boot = R"("startYear": 12, "startMonth": 10, "startDay": 7, "endYear": 12, "endMonth": 10,
      "endDay": 7, "startHour": 12, "startMinute": 34, "startSecond": 56, "ivConsumptionMin": 2,
      "ivConsumptionMax": 2, "vcountMin": "82", "vcountMax": "82", "timer0Min": "10F3", "timer0Max": "10F3",
      "ivMin": [31, 31, 31, 31, 31, 31])";
  writeFile("no-mac.json", "{" + boot + "}");
  const Outcome noMac = calibrateHere({"-s", utf8FromPath(file("no-mac.json"))});
  EXPECT_EQ(noMac.exitCode, 2);
  EXPECT_EQ(noMac.err, "error: calibrate needs the MAC address: give macAddress or --config\n");
  writeFile("words.json", "{" + boot + R"(, "messageWord6": "0", "messageWord7": "0"})");
  EXPECT_EQ(calibrateHere({"-s", utf8FromPath(file("words.json")), "--seconds", "0"}).exitCode, 0);

  // Six values of 31 at position 2: no console of these.
  writeFile("nothing.json", "{" + boot + R"(, "macAddress": "00-09-BF-12-34-56"})");
  const std::string config = utf8FromPath(file("config.txt"));
  const Outcome nothing =
      calibrateHere({"-s", utf8FromPath(file("nothing.json")), "--seconds", "0", "--save-config", config});
  EXPECT_EQ(nothing.exitCode, 2);
  EXPECT_TRUE(nothing.out.empty());
  EXPECT_TRUE(nothing.err.ends_with("error: --save-config " + config +
                                    ": no parameter set explains the outcome; nothing stored\n"))
      << nothing.err;
  EXPECT_FALSE(fs::exists(file("config.txt")));
}

}  // namespace
}  // namespace hanabira
