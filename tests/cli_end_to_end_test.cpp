// hanabira-cli as a user runs it: a real process, real files, real signals.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "child_process.h"
#include "cli_test.h"
#include "core/kernel_levels.h"
#include "core/utf8_path.h"
#include "engine/settings_json.h"
#include "test_support.h"
#include "vocab/cp932.h"
#include "vocab/english_names.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

namespace fs = std::filesystem;

TEST_F(CliTest, HelpAndVersion) {
  const Outcome help = run({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  for (const char* option : {"--settings", "--config", "--output", "--example", "--quiet", "--encoding", "--threads",
                             "--reference", "--shard", "merge"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  const std::string version = "hanabira-cli 1.05\nkernels: " + std::string(isaName(supportedIsas().front())) + "\n";
  EXPECT_EQ(run({"--version", "--backend", "cpu"}).out, version + "backend: cpu\n");
  // auto names the first GPU when there is one.
  EXPECT_EQ(run({"--version"}).out.rfind(version + "backend: ", 0), 0u);
  // --isa offers every level of this build, narrowest first, and --version names the one that would run.
  const auto levels = kernelLevels();
  std::string choices = "--isa TEXT:{auto";
  for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
    choices += ',';
    choices += level->name;
  }
  EXPECT_NE(help.out.find(choices + '}'), std::string::npos) << help.out;
  for (const KernelLevel& level : levels) {
    if (!level.cpuHasFeatures()) continue;
    EXPECT_EQ(run({"--version", "--backend", "cpu", "--isa", std::string(level.name)}).out,
              "hanabira-cli 1.05\nkernels: " + std::string(level.name) + "\nbackend: cpu\n");
  }
  // With --plan it names the plan too; without, its lines stay as they were.
  EXPECT_TRUE(run({"--version", "--plan", "two-stage"}).out.ends_with("\nplan: two-stage\n"));
  EXPECT_TRUE(
      run({"--version", "--plan", "auto"}).out.ends_with("\nplan: auto (direct or two-stage, by the search)\n"));
}

// Without an OpenCL platform the default search says what it always said, and asking for
// OpenCL is a usage error; with a device (PoCL in CI) it writes the CPU's bytes.
TEST_F(CliTest, TheBackendsWriteTheSameBytesAndNoPlatformMeansTheCpuSilently) {
  const Outcome cpu = run({"--example", "--backend", "cpu", "-o", "cpu.txt"});
  ASSERT_EQ(cpu.exitCode, 0);

#ifndef _WIN32  // Wine's OpenCL reaches the host's platforms whatever OCL_ICD_VENDORS says
  const char* const vendors = std::getenv("OCL_ICD_VENDORS");
  const std::optional<std::string> vendorsBefore =
      vendors != nullptr ? std::optional<std::string>(vendors) : std::nullopt;
  setEnvironment("OCL_ICD_VENDORS", utf8FromPath(file("no-vendors")));
  fs::create_directories(file("no-vendors"));
  const Outcome plain = run({"--example", "-o", "plain.txt"});
  const Outcome refused = run({"--example", "--backend", "opencl", "-o", "refused.txt"});
  const Outcome listed = run({"--list-devices"});
  setEnvironment("OCL_ICD_VENDORS", vendorsBefore);
  EXPECT_EQ(plain.exitCode, 0);
  EXPECT_EQ(slurp(file("plain.txt")), slurp(file("cpu.txt")));
  EXPECT_EQ(plain.err.find("warning"), std::string::npos) << plain.err;
  EXPECT_EQ(plain.err.find("OpenCL"), std::string::npos) << plain.err;
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find("no OpenCL device"), std::string::npos) << refused.err;
  EXPECT_EQ(listed.out, "no OpenCL device\n");
#endif

  if (run({"--list-devices"}).out == "no OpenCL device\n") GTEST_SKIP() << "no OpenCL device here";
  const Outcome device = run({"--example", "--backend", "opencl", "--device", "0", "-o", "opencl.txt"});
  EXPECT_EQ(device.exitCode, 0) << device.err;
  EXPECT_EQ(slurp(file("opencl.txt")), slurp(file("cpu.txt")));
  EXPECT_NE(device.err.find("and OpenCL on "), std::string::npos) << device.err;
  EXPECT_EQ(run({"--example", "--backend", "opencl", "--device", "1000", "-o", "x.txt"}).exitCode, 2);

  // A mode the device does not search runs on the CPU, and the summary and --version say so.
  writeFile("dome.json", "{" + datesJson + R"(, "domeSearch": true, "domeTrainers": [36, 50, 0, 0, 0, 0],
      "startHour": 13, "endHour": 13, "startMinute": 47, "endMinute": 47})");
  const Outcome dome = run({"-s", "dome.json", "--backend", "opencl", "--device", "0", "-o", "dome.txt"});
  EXPECT_EQ(dome.exitCode, 0) << dome.err;
  EXPECT_NE(dome.err.find(", direct) on the CPU, as OpenCL on "), std::string::npos) << dome.err;
  EXPECT_TRUE(dome.err.ends_with(" does not run this search; written to dome.txt\n")) << dome.err;
  const std::string version = run({"--version", "--backend", "opencl", "--device", "0"}).out;
  const std::size_t onCpu = version.find("\nmodes on the CPU: ");
  ASSERT_NE(onCpu, std::string::npos) << version;
  EXPECT_NE(version.find("dome", onCpu), std::string::npos) << version;
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
  EXPECT_EQ(run({"--no-such-option"}).exitCode, 2);
  const Outcome nothing = run({});
  EXPECT_EQ(nothing.exitCode, 2);
  EXPECT_NE(nothing.err.find("--settings or --example"), std::string::npos) << nothing.err;
  EXPECT_EQ(run({"--example", "--encoding", "latin1"}).exitCode, 2);
  EXPECT_EQ(run({"--example", "--threads", "0"}).exitCode, 2);
  EXPECT_EQ(run({"--example", "--isa", "sse2"}).exitCode, 2);
  EXPECT_EQ(run({"--example", "--plan", "two_stage"}).exitCode, 2);
  for (const char* shard : {"0/3", "4/3", "1/0", "1", "1/3x", "-1/3"}) {
    EXPECT_EQ(run({"--example", "--shard", shard}).exitCode, 2) << shard;
  }
  EXPECT_EQ(run({"--example", "--shard", "1/2", "-o", "-"}).exitCode, 2);
  EXPECT_EQ(run({"merge"}).exitCode, 2);
  EXPECT_FALSE(fs::exists(file("result.txt")));
  for (const KernelLevel& level : kernelLevels()) {
    if (level.cpuHasFeatures()) continue;
    const Outcome refused = run({"--example", "--isa", std::string(level.name)});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("cannot run"), std::string::npos) << refused.err;
  }
}

TEST_F(CliTest, ExampleFindsTheWorkedExampleLine) {
  const Outcome outcome = run({"--example"});
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  const std::string result = cp932ToUtf8(slurp(file("result.txt")));
  EXPECT_TRUE(result.starts_with("年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed,キー入力\r\n"));
  EXPECT_NE(result.find("\r\n11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,A\r\n"), std::string::npos);
  EXPECT_NE(outcome.err.find("32400 matches in 32400 boot moments"), std::string::npos) << outcome.err;
  // A minute is far too short for a stage over every MT seed: auto runs it direct.
  EXPECT_NE(outcome.err.find(", direct); written to result.txt\n"), std::string::npos) << outcome.err;
}

TEST_F(CliTest, SettingsFileAndConfigFile) {
  writeFile("config.txt", "60\nc79\n6000000\n8\n00-11-22-33-44-55\n02215F10\n");
  writeFile("settings.json", "{" + datesJson + R"(, "startHour": 13, "endHour": 13, "startMinute": 47,
      "endMinute": 47, "startSecond": 35, "endSecond": 35, "keyInputEnabled": true,
      "ivMin": [4, 21, 9, 26, 18, 11], "ivMax": [4, 21, 9, 26, 18, 11] // comments are allowed
    })");
  const Outcome outcome =
      run({"--settings", "settings.json", "--config", "config.txt", "-o", "out.txt", "--encoding", "utf-8"});
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(slurp(file("out.txt")),
            "年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed,キー入力\r\n"
            "11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,A\r\n");

  // The settings file overrides the config file.
  writeFile("white.json", "{" + datesJson + R"(, "versionWord": "02215F30", "macAddress": "00:00:00:00:00:01"})");
  const Outcome printed = run({"-s", "white.json", "-c", "config.txt", "--print-settings"});
  EXPECT_EQ(printed.exitCode, 0) << printed.err;
  EXPECT_NE(printed.out.find(R"("versionWord": "0x2215F30")"), std::string::npos) << printed.out;
  EXPECT_NE(printed.out.find(R"("timer0": "0xC79")"), std::string::npos);
  EXPECT_NE(printed.out.find(R"("messageWord6": "0x1")"), std::string::npos);
}

TEST_F(CliTest, InvalidSettingsAreRefusedBeforeAnythingIsWritten) {
  writeFile("bad-date.json",
            R"({"startYear": 11, "startMonth": 4, "startDay": 31, "endYear": 11, "endMonth": 5, "endDay": 1})");
  const Outcome badDate = run({"-s", "bad-date.json"});
  EXPECT_EQ(badDate.exitCode, 2);
  EXPECT_EQ(badDate.err, "error: startDay 31: 2011-04 has 30 days\n");
  EXPECT_FALSE(fs::exists(file("result.txt")));

  writeFile("bad-type.json", "{" + datesJson + R"(, "hiddenPowerType": 16})");
  const Outcome badType = run({"-s", "bad-type.json"});
  EXPECT_EQ(badType.exitCode, 2);
  EXPECT_NE(badType.err.find("hiddenPowerType: expected an integer from -1 to 15, got 16"), std::string::npos);

  writeFile("not-json.json", "{ startYear: 11 }");
  EXPECT_EQ(run({"-s", "not-json.json"}).exitCode, 2);

  writeFile("ditto.json", "{" + datesJson + R"(, "inheritanceSearch": true, "withoutDitto": false, "eggAbility": 3})");
  const Outcome ditto = run({"-s", "ditto.json", "-q"});
  EXPECT_EQ(ditto.exitCode, 2);
  EXPECT_EQ(
      ditto.err,
      "error: eggAbility 3: a Ditto never passes on the hidden ability; set withoutDitto or choose another ability\n");
  EXPECT_FALSE(fs::exists(file("result.txt")));
}

// Under a Japanese locale the messages are Japanese; under any other, or "C" (SetUp),
// they are the English they always were; --ui-language, anywhere among the arguments,
// is over the locale.
TEST_F(CliTest, TheLocaleChoosesTheLanguageOfTheMessagesAndUiLanguageIsOverIt) {
  writeFile("bad-type.json", "{" + datesJson + R"(, "hiddenPowerType": 16})");
  const std::string english =
      "error: settings file 'bad-type.json': hiddenPowerType: expected an integer from -1 to 15, got 16\n";
  const std::string japanese =
      "エラー: 設定ファイル 'bad-type.json': hiddenPowerType: -1 から 15 までの整数を指定してください "
      "(16 が指定されました)\n";
  EXPECT_EQ(run({"-s", "bad-type.json"}).err, english);
  EXPECT_EQ(run({"-s", "bad-type.json", "--ui-language", "ja"}).err, japanese);

  setEnvironment("LANG", "en_US.UTF-8");
  EXPECT_EQ(run({"-s", "bad-type.json"}).err, english);
  setEnvironment("LANG", "ja_JP.UTF-8");
  const Outcome refused = run({"-s", "bad-type.json"});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_EQ(refused.err, japanese);
  EXPECT_EQ(run({"--ui-language", "en", "-s", "bad-type.json"}).err, english);
  EXPECT_EQ(run({"-s", "bad-type.json", "--ui-language=en"}).err, english);
  // Every command takes it; a usage error is in the chosen language too.
  EXPECT_EQ(run({"merge", "--ui-language", "en", "none.txt"}).err,
            "error: cannot read shard 'none.txt': No such file or directory\n");
  const Outcome usage = run({"--no-such-option"});
  EXPECT_EQ(usage.exitCode, 2);
  EXPECT_TRUE(usage.err.starts_with("エラー: ")) << usage.err;
  EXPECT_TRUE(usage.err.ends_with("\nオプションは --help で確認できます。\n")) << usage.err;
  // A language it does not offer is a usage error, in the locale's language.
  const Outcome unoffered = run({"--example", "--ui-language", "fr"});
  EXPECT_EQ(unoffered.exitCode, 2);
  EXPECT_TRUE(unoffered.err.starts_with("エラー: --ui-language: fr")) << unoffered.err;
  EXPECT_FALSE(fs::exists(file("result.txt")));
}

TEST_F(CliTest, PidConsumptionAboveTheLimitIsLoweredWithAWarning) {
  writeFile("s.json",
            "{" + datesJson +
                R"(, "startHour": 0, "endHour": 0, "endMinute": 0, "endSecond": 0, "pidConsumptionMax": 5000})");
  const Outcome outcome = run({"-s", "s.json"});
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_NE(outcome.err.find("warning: pidConsumptionMax 5000 lowered to 2800"), std::string::npos) << outcome.err;
  EXPECT_EQ(run({"-s", "s.json", "--quiet"}).err, "");
}

TEST_F(CliTest, StationaryShinySearchWithoutIdCorrectionWarnsForOddIds) {
  const std::string shiny = "{" + datesJson + R"(, "startHour": 0, "endHour": 0, "endMinute": 0, "endSecond": 0,
      "shinyPidSearch": true, "shinyEncounterKind": 3, "trainerId": 12345, "secretId": )";
  writeFile("odd.json", shiny + "30650}");
  writeFile("even.json", shiny + "30651}");
  const Outcome odd = run({"-s", "odd.json", "-o", "odd.txt"});
  EXPECT_EQ(odd.exitCode, 0);
  EXPECT_TRUE(
      odd.err.starts_with("warning: idCorrection false with shinyEncounterKind 3: the game applies the ID "
                          "correction to stationary encounters"))
      << odd.err;
  EXPECT_EQ(std::count(odd.err.begin(), odd.err.end(), '\n'), 2) << odd.err;  // the warning and the summary
  EXPECT_TRUE(fs::exists(file("odd.txt")));                                   // searched all the same
  const Outcome even = run({"-s", "even.json", "-o", "even.txt"});
  EXPECT_EQ(even.exitCode, 0);
  EXPECT_EQ(even.err.find("warning"), std::string::npos) << even.err;
  EXPECT_EQ(run({"-s", "odd.json", "-q"}).err, "");
}

// Bounds typed far apart, as far as an int goes: a range whose minimum lies after its
// maximum searches nothing, and the result file holds only its header.
TEST_F(CliTest, PositionBoundsAtTheEndsOfAnIntSearchEmptyRanges) {
  const std::string moment = R"("startHour": 13, "endHour": 13, "startMinute": 47, "endMinute": 47)";
  const std::string ivs = R"("ivConsumptionMin": 2147483647, "ivConsumptionMax": -2147483648)";
  const std::string pids = R"("pidConsumptionMin": 2147483647, "pidConsumptionMax": -2147483648)";
  const std::vector<std::string> modes = {
      R"("deliverymanSearch": true, "pidConsumptionMin": 1091043854, "pidConsumptionMax": -1625751552)",
      R"("deliverymanSearch": true, "deliveryNaturePosition": 2147483647, )" + pids,
      ivs,
      R"("shinyPidSearch": true, "pidConsumptionMin": 0, )" + ivs,
      R"("shinyPidSearch": true, )" + pids,
      R"("inheritanceSearch": true, )" + ivs + ", " + pids,
      R"("cometShardSearch": true, )" + pids,
      R"("domeSearch": true, "domeConsumptionSlack": -2147483648, )" + pids,
      R"("domeSearch": true, "domeConsumptionSlack": 2147483647, )" + pids,
  };
  for (const std::string& mode : modes) {
    writeFile("far.json", "{" + datesJson + ", " + moment + ", " + mode + "}");
    const Outcome outcome = run({"-s", "far.json"});
    EXPECT_EQ(outcome.exitCode, 0) << mode << outcome.err;
    const std::string result = slurp(file("result.txt"));
    EXPECT_EQ(result.find("\r\n"), result.size() - 2) << mode << ": " << result;
  }
}

// Bounds at the ends of an int, which the window cannot hold but the settings file can,
// are searched as given: the deliveryman's prefilter sizes them without overflow.
TEST_F(CliTest, IvBoundsPastTheValuesAreSearchedWithAWarning) {
  writeFile("far.json", "{" + datesJson + R"(, "startHour": 13, "endHour": 13, "startMinute": 47, "endMinute": 47,
      "deliverymanSearch": true, "deliveryNature": 3, "ivMin": [28, 0, 0, 0, 0, 0],
      "ivMax": [-2147483648, 31, 31, 31, 31, 31]})");
  const Outcome outcome = run({"-s", "far.json"});
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_TRUE(outcome.err.starts_with(
      "warning: ivMax[0] -2147483648: individual values are 0 to 31, so none passes\n0 matches"))
      << outcome.err;
  EXPECT_EQ(slurp(file("result.txt")).find("\r\n"), slurp(file("result.txt")).size() - 2);
}

// config.txt as editors write it, or refused naming its line (exit 2, as settings a search
// cannot use); ranges it gives that a search refuses name it too.
TEST_F(CliTest, ConfigFileIsReadAsTheTextMeansOrRefusedNamingItsLine) {
  writeFile("s.json", "{" + datesJson + "}");
  const std::string lines[] = {"60", "c79", "6000000", "8", "00-11-22-33-44-55", "02215F30", "vcountRange=60-61"};
  const auto config = [&](const std::string& start, const std::string& lineEnd, const std::string& more = "") {
    std::string text = start;
    for (const std::string& line : lines) text += line + lineEnd;
    writeFile("c.txt", text + more);
    return run({"-s", "s.json", "-c", "c.txt", "--print-settings"});
  };
  const Outcome plain = config("", "\n");
  EXPECT_EQ(plain.exitCode, 0) << plain.err;
  EXPECT_NE(plain.out.find(R"("vcountMax": "0x61")"), std::string::npos) << plain.out;
  const std::pair<std::string, std::string> written[] = {{"\xEF\xBB\xBF", "\r\n"}, {"", "\r"}, {"\xEF\xBB\xBF", "\n"}};
  for (const auto& [mark, lineEnd] : written) EXPECT_EQ(config(mark, lineEnd).out, plain.out) << mark << lineEnd;

  using namespace std::string_literals;
  const std::pair<std::string, std::string> refused[] = {
      {"\0\0\0"s, "line 8: not text (byte 0x00)"},
      {"edition=White3,ENG,DS\n",
       "line 8: edition=White3,ENG,DS: expected edition=GAME,LANGUAGE,CONSOLE such as edition=White2,ENG,DSLite"},
      {"vcountRange=83-81\n",
       "line 8: vcountRange=83-81: expected two hexadecimal numbers, the first not above the second, such as "
       "vcountRange=81-83"},
  };
  for (const auto& [more, message] : refused) {
    const Outcome outcome = config("", "\n", more);
    EXPECT_EQ(outcome.exitCode, 2) << message;
    EXPECT_EQ(outcome.err, "error: config file 'c.txt' " + message + "\n");
  }
  writeFile("c.txt",
            "\xFF\xFE"
            "6\0"
            "0\0"s);
  EXPECT_EQ(run({"-s", "s.json", "-c", "c.txt"}).err,
            "error: config file 'c.txt' line 1: UTF-16 text; save the file as ASCII or UTF-8\n");

  // The search's limits on a range of the file, and on one of the settings file.
  writeFile("c.txt", "60\nc79\n6000000\n8\n00-11-22-33-44-55\n02215F30\ntimer0Range=0-ffff\nvcountRange=50-60\n");
  const Outcome wide = run({"-s", "s.json", "-c", "c.txt"});
  EXPECT_EQ(wide.exitCode, 2);
  EXPECT_EQ(wide.err,
            "error: config file 'c.txt' line 7: timer0Max 0xFFFF: must be 0x0 to 0xF0EF, as the VCount and Timer0 "
            "ranges may make at most 1048576 pairs\n");
  // Calibrating refuses it too; printing the settings does not.
  EXPECT_EQ(run({"calibrate", "-s", "s.json", "-c", "c.txt"}).err, wide.err);
  EXPECT_EQ(run({"-s", "s.json", "-c", "c.txt", "--print-settings"}).exitCode, 0);
  writeFile("s.json", "{" + datesJson + R"(, "vcountMin": "70", "vcountMax": "60"})");
  EXPECT_EQ(run({"-s", "s.json", "-c", "c.txt"}).err, "error: vcountMax 0x60: must not lie below vcountMin 0x70\n");
  EXPECT_FALSE(fs::exists(file("result.txt")));
}

TEST_F(CliTest, FilesThatCannotBeReadOrWrittenExitWithOne) {
  const Outcome missing = run({"-s", "missing.json"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("cannot read settings file 'missing.json'"), std::string::npos) << missing.err;

  const Outcome noDirectory = run({"--example", "-o", "no/such/dir/result.txt"});
  EXPECT_EQ(noDirectory.exitCode, 1);
  EXPECT_NE(noDirectory.err.find("cannot create result file 'no/such/dir/result.txt'"), std::string::npos);

  writeFile("s.json", "{" + datesJson + "}");
  fs::create_directory(file("folder"));
  const Outcome config = run({"-s", "s.json", "-c", "folder"});
  EXPECT_EQ(config.exitCode, 1);
  EXPECT_NE(config.err.find("cannot read config file 'folder': "), std::string::npos) << config.err;
  const Outcome settings = run({"-s", "folder"});
  EXPECT_EQ(settings.exitCode, 1);
  EXPECT_NE(settings.err.find("cannot read settings file 'folder': "), std::string::npos) << settings.err;
  EXPECT_FALSE(fs::exists(file("result.txt")));
}

// Files named in Japanese, in a folder named in Japanese: beyond the ANSI code page of
// most Windows systems, they need the wide-character file API there.
TEST_F(CliTest, PathsInJapaneseAreReadAndWritten) {
  fs::create_directory(file("結果"));
  writeFile("コンソール.txt", "60\nc79\n6000000\n8\n00-11-22-33-44-55\n02215F10\n");
  writeFile("設定.json", "{" + datesJson + R"(, "startHour": 13, "endHour": 13, "startMinute": 47,
      "endMinute": 47, "startSecond": 35, "endSecond": 35, "keyInputEnabled": true})");
  const Outcome outcome = run({"-s", "設定.json", "-c", "コンソール.txt", "-o", "結果/色違い.txt"});
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_NE(outcome.err.find("written to 結果/色違い.txt"), std::string::npos) << outcome.err;
  const std::string result = cp932ToUtf8(slurp(file("結果/色違い.txt")));
  EXPECT_NE(result.find("\r\n11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,A\r\n"), std::string::npos)
      << result.substr(0, 200);
}

#ifndef _WIN32
// Linux's devices: a disk that is always full, a file that opens but fails when read
// (for root too), files that never end. Windows has none of them.
TEST_F(CliTest, DevicesThatFailOrNeverEndExitWithOne) {
  const Outcome full = run({"--example", "-o", "/dev/full"});
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_NE(full.err.find("No space left on device"), std::string::npos) << full.err;

  writeFile("s.json", "{" + datesJson + "}");
  const std::string path = "/proc/self/mem";
  const Outcome config = run({"-s", "s.json", "-c", path});
  EXPECT_EQ(config.exitCode, 1);
  EXPECT_NE(config.err.find("cannot read config file '" + path + "': "), std::string::npos) << config.err;
  const Outcome settings = run({"-s", path});
  EXPECT_EQ(settings.exitCode, 1);
  EXPECT_NE(settings.err.find("cannot read settings file '" + path + "': "), std::string::npos) << settings.err;
  EXPECT_FALSE(fs::exists(file("result.txt")));

  // Files that never end: the settings are refused, config.txt is read as far as six lines
  // can go, and found no text.
  const Outcome endless = run({"-s", "/dev/zero"});
  EXPECT_EQ(endless.exitCode, 1);
  EXPECT_NE(endless.err.find("cannot read settings file '/dev/zero': longer than"), std::string::npos) << endless.err;
  const Outcome zeros = run({"-s", "s.json", "-c", "/dev/zero", "--print-settings"});
  EXPECT_EQ(zeros.exitCode, 2);
  EXPECT_EQ(zeros.err, "error: config file '/dev/zero' line 1: not text (byte 0x00)\n");
}

TEST_F(CliTest, PrintingToAFullDiskExitsWithOne) {
  writeFile("s.json", "{" + datesJson + "}");
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"},
                                               {"--version"},
                                               {"-s", "s.json", "--print-settings"},
                                               {"--example", "-q", "-o", "-"}}) {
    testing::ChildProcess child = start(args, "/dev/full");
    const Outcome outcome = finish(child);
    EXPECT_EQ(outcome.exitCode, 1) << args[0];
    EXPECT_NE(outcome.err.find("standard output"), std::string::npos) << outcome.err;
  }
}
#endif

TEST_F(CliTest, ResultFileInAFolderThatCannotBeWrittenExitsWithOne) {
  // A path through a file has no folder; /sys takes no new files, not even from root.
  writeFile("plain", "");
#ifdef _WIN32
  const std::vector<std::pair<std::string, std::string>> paths = {{"plain/result.txt", "No such file or directory"}};
#else
  const std::vector<std::pair<std::string, std::string>> paths = {{"/sys/hanabira-result.txt", "Permission denied"},
                                                                  {"plain/result.txt", "Not a directory"}};
#endif
  for (const auto& [path, reason] : paths) {
    const Outcome outcome = run({"--example", "-o", path});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.err.find("cannot create result file '" + path + "': " + reason), std::string::npos)
        << outcome.err;
  }
}

#ifndef _WIN32  // Windows files have no POSIX permissions to take away.
TEST_F(CliTest, FilesWithoutPermissionExitWithOne) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads and writes regardless of permissions";
  fs::create_directory(file("read-only"));
  fs::permissions(file("read-only"), fs::perms::owner_read | fs::perms::owner_exec);
  const Outcome readOnly = run({"--example", "-o", "read-only/result.txt"});
  EXPECT_EQ(readOnly.exitCode, 1);
  EXPECT_NE(readOnly.err.find("'read-only/result.txt': Permission denied"), std::string::npos) << readOnly.err;

  writeFile("s.json", "{" + datesJson + "}");
  fs::permissions(writeFile("config.txt", "60\n"), fs::perms::owner_write);
  const Outcome unreadable = run({"-s", "s.json", "-c", "config.txt"});
  EXPECT_EQ(unreadable.exitCode, 1);
  EXPECT_NE(unreadable.err.find("cannot read config file 'config.txt': Permission denied"), std::string::npos);
}
#endif

TEST_F(CliTest, HostileSettingsFilesAreRefusedWithoutACrash) {
  const std::string dates = ", " + datesJson + "}";
  const std::vector<std::pair<std::string, std::string>> files = {
      {"{\"startYear\": 1e400" + dates, "not valid JSON"},  // no double holds it
      {"{\"ivMin\": " + std::string(500'000, '[') + std::string(500'000, ']') + dates, "ivMin: expected an array"},
      {"", "not valid JSON"},
      {std::string("\xff\xfe{\0", 4), "not valid JSON"},
      {"{\"frame\": \"" + std::string(1'000'000, '9') + "\"" + dates, "frame: expected an integer, got \"999"},
  };
  for (const auto& [text, message] : files) {
    writeFile("hostile.json", text);
    const Outcome outcome = run({"-s", "hostile.json"});
    EXPECT_EQ(outcome.exitCode, 2) << message;
    EXPECT_NE(outcome.err.find(message), std::string::npos) << outcome.err;
    EXPECT_LT(outcome.err.size(), 400u) << message;
  }
  EXPECT_FALSE(fs::exists(file("result.txt")));
}

TEST_F(CliTest, StandardOutputAndReferencePathGiveTheSameBytes) {
  const Outcome piped = run({"--example", "-o", "-", "-q"});
  EXPECT_EQ(piped.exitCode, 0);
  run({"--example", "--reference", "-q"});
  EXPECT_EQ(piped.out, slurp(file("result.txt")));
  run({"--example", "--threads", "5", "-q"});
  EXPECT_EQ(piped.out, slurp(file("result.txt")));
  for (Isa isa : supportedIsas()) {
    EXPECT_EQ(run({"--example", "--isa", std::string(isaName(isa)), "-q"}).exitCode, 0);
    EXPECT_EQ(piped.out, slurp(file("result.txt"))) << isaName(isa);
  }
  EXPECT_EQ(piped.err, "");
}

TEST_F(CliTest, EveryModeRunsFromTheSettingsFile) {
  const std::string console = R"("vcount": "60", "timer0": "C79", "gxStat": "6000000", "frame": 8,
      "macAddress": "00-11-22-33-44-55", "startHour": 13, "endHour": 13, "startMinute": 47, "endMinute": 47,
      "startSecond": 35, "endSecond": 35, "keyInputEnabled": true, "pidConsumptionMin": 0, "pidConsumptionMax": 3)";
  const std::vector<std::pair<std::string, std::string>> modes = {
      {R"("shinyPidSearch": true, "trainerId": 51275)",
       "11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,-1,9D76553E,9D76553D,A\r\n"},
      {R"("inheritanceSearch": true, "eggNature": -1, "withoutDitto": false)",
       "11,9,27,13,47,35,7,4,21,9,26,18,11,9D76553EC8C0FA7A,0,B-後,S-先,D-先,142,1,A\r\n"},
      {R"("deliverymanSearch": true, "deliveryNaturePosition": 10, "deliveryNature": 9)",
       "11,9,27,13,47,35,0,わんぱく　,19,21,30,15,18,26,いわ,68,9D76553EC8C0FA7A,A\r\n"},
      {R"("cometShardSearch": true, "compoundEyes": false)", ""},
      {R"("domeSearch": true, "domeTrainers": [36, 50, 0, 0, 0, 0], "domeConsumptionSlack": 1)",
       "11,9,27,13,47,35,0,1,9D76553EC8C0FA7A,A\r\n"},
  };
  for (const auto& [options, line] : modes) {
    writeFile("mode.json", "{" + datesJson + ", " + console + ", " + options + "}");
    const Outcome fast = run({"-s", "mode.json", "-o", "-", "-q", "--encoding", "utf-8"});
    EXPECT_EQ(fast.exitCode, 0) << options << fast.err;
    EXPECT_NE(fast.out.find(line), std::string::npos) << options;
    EXPECT_EQ(run({"-s", "mode.json", "-o", "-", "-q", "--encoding", "utf-8", "--reference"}).out, fast.out) << options;
  }
}

std::vector<std::string> fieldsOf(std::string_view line) {
  std::vector<std::string> fields;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    fields.emplace_back(line.substr(start, comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

std::vector<std::string> linesOf(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string_view::npos; start = end + 2) {
    lines.emplace_back(text.substr(start, end - start));
  }
  return lines;
}

template <typename Lookup>
std::optional<int> idOf(Lookup lookup, std::string_view name) {
  for (int id = 0; lookup(id); ++id) {
    if (*lookup(id) == name) return id;
  }
  return std::nullopt;
}

// The English field a field of a Japanese result file stands for, by the Japanese
// column it stands in; "?" for a name the Japanese lists do not hold.
std::string englishField(std::string_view column, std::string_view field) {
  if (column == "めざパ" || column == "性格") {
    const bool type = column == "めざパ";
    const auto id = type ? idOf(hiddenPowerTypeName, field) : idOf(natureName, field);
    if (!id) return "?";
    return std::string(type ? *englishHiddenPowerTypeName(*id) : *englishNatureName(*id));
  }
  if (column.starts_with("遺伝")) {  // "D-後": Def from parent B
    constexpr std::array<std::string_view, 6> stats = {"HP", "Atk", "Def", "SpA", "SpD", "Spe"};
    const std::size_t stat = std::string_view("HABCDS").find(field.substr(0, 1));
    const std::string_view parent = field.substr(2);
    if (stat == std::string_view::npos || (parent != "先" && parent != "後")) return "?";
    return std::string(stats[stat]) + (parent == "先" ? "-A" : "-B");
  }
  if (column == "キー入力") {
    std::string keys;
    for (std::size_t bit = 0; bit < keyNames.size() && !field.empty(); ++bit) {
      if (!field.starts_with(keyNames[bit])) continue;
      field.remove_prefix(keyNames[bit].size());
      keys += englishKeyNames[bit];
    }
    return field.empty() ? keys : "?";
  }
  return std::string(field);  // a number
}

// Random settings of a mode with its ranges not empty and the filters that keep most lines
// out opened, so that the names of every kind appear in many lines.
SearchSettings withFiltersOpen(SearchSettings s) {
  s.endHour = std::max(s.endHour, s.startHour);
  s.ivConsumptionMax = std::max(s.ivConsumptionMax, s.ivConsumptionMin);
  s.pidConsumptionMax = std::max(s.pidConsumptionMax, s.pidConsumptionMin);
  s.ivMin.fill(0);
  s.ivMax.fill(31);
  s.hiddenPowerType = -1;
  s.hiddenPowerMinPower = 30;
  s.shinyNature = s.eggAbility = s.eggGenderRatio = s.deliveryNature = 0;
  s.eggNature = -1;
  for (int& iv : s.firstParentIvs) iv = std::clamp(iv, 0, 31);
  for (int& iv : s.secondParentIvs) iv = std::clamp(iv, 0, 31);
  if (s.inheritanceSearch) s.shinyPidSearch = false;  // a shiny egg is rare
  s.deliveryShiny = false;
  s.compoundEyes = true;
  if (selectSearchMode(s) == SearchMode::CometShardSearch) {  // a shard in one of 2,000 positions: a whole minute
    s.startSecond = 0;
    s.endSecond = 59;
  }
  s.domeTrainers.fill(0);
  return s;
}

// --result-language en: for random settings of every mode, the Japanese file's lines with
// every number as it was and every name the English one; the header in ASCII.
TEST_F(CliTest, EnglishResultFilesKeepTheNumbersAndGiveTheNamesInEnglish) {
  std::mt19937_64 random(25);
  for (int mode = 0; mode <= static_cast<int>(SearchMode::DomeSearch); ++mode) {
    std::size_t lines = 0;
    for (int draw = 0; draw < 3; ++draw) {
      const SearchSettings settings = withFiltersOpen(testing::randomSettings(random, static_cast<SearchMode>(mode)));
      writeFile("random.json", settingsToJson(settings).dump());
      ASSERT_EQ(run({"-s", "random.json", "-q", "--backend", "cpu"}).exitCode, 0);
      ASSERT_EQ(
          run({"-s", "random.json", "-q", "--backend", "cpu", "-o", "english.txt", "--result-language", "en"}).exitCode,
          0);
      const std::vector<std::string> japanese = linesOf(cp932ToUtf8(slurp(file("result.txt"))));
      const std::string englishText = slurp(file("english.txt"));
      const std::vector<std::string> english = linesOf(englishText);
      ASSERT_EQ(english.size(), japanese.size()) << mode;
      EXPECT_TRUE(std::all_of(englishText.begin(), englishText.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x80;
      })) << mode;
      const std::vector<std::string> columns = fieldsOf(japanese.front());
      EXPECT_EQ(fieldsOf(english.front()).size(), columns.size()) << english.front();
      for (std::size_t k = 1; k < japanese.size(); ++k) {
        const std::vector<std::string> fields = fieldsOf(japanese[k]);
        std::string expected;
        for (std::size_t c = 0; c < fields.size(); ++c) {
          if (c > 0) expected += ',';
          expected += englishField(columns[c], fields[c]);
        }
        ASSERT_EQ(english[k], expected) << japanese[k];
      }
      lines += japanese.size() - 1;
    }
    EXPECT_GT(lines, 0u) << mode;
  }
}

// The settings file may ask for English, the command line for Japanese over it; CP932
// may be chosen for English, whose text is ASCII either way.
TEST_F(CliTest, TheCommandLinesResultLanguageIsOverTheFiles) {
  writeFile("english.json", "{" + datesJson + R"(, "startHour": 13, "endHour": 13, "startMinute": 47,
      "endMinute": 47, "startSecond": 35, "endSecond": 35, "keyInputEnabled": true, "resultLanguage": "en",
      "ivMin": [4, 21, 9, 26, 18, 11], "ivMax": [4, 21, 9, 26, 18, 11], "macAddress": "00-11-22-33-44-55",
      "vcount": "60", "timer0": "C79", "gxStat": "6000000", "frame": 8})");
  const std::string english =
      "Year,Month,Day,Hour,Minute,Second,IV position,HP,Atk,Def,SpA,SpD,Spe,Hidden Power,Power,Initial seed,Keys\r\n"
      "11,9,27,13,47,35,7,4,21,9,26,18,11,Ground,65,9D76553EC8C0FA7A,A\r\n";
  EXPECT_EQ(run({"-s", "english.json", "-o", "-", "-q"}).out, english);
  EXPECT_EQ(run({"-s", "english.json", "-o", "-", "-q", "--encoding", "cp932"}).out, english);
  EXPECT_EQ(cp932ToUtf8(run({"-s", "english.json", "-o", "-", "-q", "--result-language", "ja"}).out),
            "年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed,キー入力\r\n"
            "11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,A\r\n");
  const Outcome wrong = run({"--example", "--result-language", "fr"});
  EXPECT_EQ(wrong.exitCode, 2);
  EXPECT_NE(wrong.err.find("--result-language"), std::string::npos) << wrong.err;
}

// The result's choices from the command line: the worked example with the game's own
// advances for its seed, and all three over the settings as --print-settings shows them.
TEST_F(CliTest, TheResultChoicesFromTheCommandLine) {
  const std::string result = cp932ToUtf8(run({"--example", "-o", "-", "-q", "--initial-advances"}).out);
  EXPECT_TRUE(result.starts_with("年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed,初期消費,キー入力\r\n"));
  EXPECT_NE(result.find("\n11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,52,A\r\n"), std::string::npos);
  const std::string printed =
      run({"--example", "--print-settings", "--iv-numbering", "players", "--initial-advances", "--memory-link"}).out;
  EXPECT_NE(printed.find("\"ivNumbering\": \"players\",\n  \"initialAdvances\": true,\n  \"memoryLink\": true"),
            std::string::npos)
      << printed;
  EXPECT_EQ(run({"--example", "--iv-numbering", "guides"}).exitCode, 2);
}

// Ctrl-C, and on Linux SIGTERM (a batch system's time limit) and SIGHUP, stop the search
// cleanly; a second signal stops it at once.
TEST_F(CliTest, StopSignalsLeaveAnExactPrefix) {
  // Two hours of boot moments with every key combination: far more than a moment's work.
  writeFile("long.json", "{" + datesJson + R"(, "startHour": 10, "endHour": 11, "keyInputEnabled": true,
      "hiddenPowerMinPower": 60})");
  const Outcome reference = run({"-s", "long.json", "-o", "full.txt", "-q"});
  ASSERT_EQ(reference.exitCode, 0);
  const std::string full = slurp(file("full.txt"));

  struct Stop {
    std::vector<int> signals;
    int exitCode;
  };
#ifdef _WIN32
  const std::vector<Stop> stops = {{{0}, 130}};
#else
  const std::vector<Stop> stops = {{{SIGINT}, 130}, {{SIGTERM}, 143}, {{SIGHUP}, 129}, {{SIGTERM, SIGINT}, 3}};
#endif
  for (const auto& [signals, exitCode] : stops) {
    fs::remove(file("partial.txt"));
    testing::ChildProcess child = start({"-s", "long.json", "-o", "partial.txt"});
    waitForGrowth("partial.txt", 20000);  // the first lines
#ifdef _WIN32
    child.interrupt();
#else
    for (const int signal : signals) child.send(signal);
#endif
    const Outcome stopped = finish(child);
    ASSERT_EQ(stopped.exitCode, exitCode) << stopped.err;
    const std::string partial = slurp(file("partial.txt"));
    EXPECT_LT(partial.size(), full.size());
    EXPECT_EQ(full.substr(0, partial.size()), partial);
    EXPECT_TRUE(temporaryFiles().empty());
    if (signals.size() > 1) {
      EXPECT_NE(stopped.err.find("stopped at once: "), std::string::npos) << stopped.err;
      continue;
    }
    EXPECT_NE(stopped.err.find("aborted:"), std::string::npos) << stopped.err;
    EXPECT_TRUE(partial.ends_with("\r\n"));
  }
}

TEST_F(CliTest, CtrlCOnAShardLeavesItMarkedIncomplete) {
  writeFile("long.json", "{" + datesJson + R"(, "startHour": 10, "endHour": 11, "keyInputEnabled": true})");
  testing::ChildProcess child = start({"-s", "long.json", "--shard", "1/2"});
  waitForGrowth("result-1-of-2.txt", 20000);
  child.interrupt();
  ASSERT_EQ(finish(child).exitCode, 130);
  EXPECT_NE(slurp(file("result-1-of-2.txt.shard.json")).find(R"("complete": false)"), std::string::npos);

  ASSERT_EQ(run({"-s", "long.json", "--shard", "2/2", "-q"}).exitCode, 0);
  const Outcome merge = run({"merge", "result-1-of-2.txt", "result-2-of-2.txt"});
  EXPECT_EQ(merge.exitCode, 2);
  EXPECT_EQ(merge.err, "error: 'result-1-of-2.txt' is incomplete: the search of its shard 1 of 2 did not finish\n");
  EXPECT_FALSE(fs::exists(file("result.txt")));
}

TEST_F(CliTest, MemoryDoesNotGrowWithTheLinesWritten) {
#ifdef _WIN32
  GTEST_SKIP() << "Wine reports no peak working set, or a mapped file's, for a program that has ended";
#endif
  // Every boot moment matches: one minute writes 32,400 lines, ten minutes 324,000
  // (about 20 MB). Lines stream to the file; only a few chunks wait in memory.
  writeFile("one.json",
            "{" + datesJson + R"(, "startHour": 13, "endHour": 13, "endMinute": 0, "keyInputEnabled": true})");
  writeFile("ten.json",
            "{" + datesJson + R"(, "startHour": 13, "endHour": 13, "endMinute": 9, "keyInputEnabled": true})");
  const Outcome one = run({"-s", "one.json", "-o", "one.txt", "--threads", "2"});
  const Outcome ten = run({"-s", "ten.json", "-o", "ten.txt", "--threads", "2"});
  ASSERT_EQ(one.exitCode, 0) << one.err;
  ASSERT_EQ(ten.exitCode, 0) << ten.err;
  EXPECT_GT(fs::file_size(file("ten.txt")), 20'000'000u);
  EXPECT_LT(ten.maxResidentKb - one.maxResidentKb, 8 * 1024)
      << one.maxResidentKb << " kB, then " << ten.maxResidentKb << " kB";
}

// The README's worked example: the planted console comes first and is stored.
TEST_F(CliTest, CalibrateFindsThePlantedConsoleAndStoresIt) {
  const std::string example = testing::sourceTreePath("docs/examples/white2-calibrate.json");
  const Outcome found = run({"calibrate", "-s", example, "--save-config", "config.txt", "-j", "2"});
  ASSERT_EQ(found.exitCode, 0) << found.err;
  EXPECT_TRUE(found.out.starts_with(
      "VCount=82 Timer0=10F3 Frame=6 2012-10-07 12:34:56 (+0 s) keys=none seed=EEC69215F3BA6BF9 position=2\n"))
      << found.out;
  EXPECT_EQ(slurp(file("config.txt")),
            "82\n10f3\n6000000\n6\n00-09-BF-12-34-56\n02215F10\nedition=White2,ENG,DSLite\n");

  // The stored console searched again: the edition and the console kind from the options.
  writeFile("boot.json", R"({"startYear": 12, "startMonth": 10, "startDay": 7, "endYear": 12, "endMonth": 10,
    "endDay": 7, "startHour": 12, "endHour": 12, "startMinute": 34, "endMinute": 34, "startSecond": 56,
    "endSecond": 56, "ivConsumptionMin": 2, "ivConsumptionMax": 2})");
  const Outcome printed =
      run({"-s", "boot.json", "-c", "config.txt", "--edition", "White2,ENG", "--console", "3DS", "--print-settings"});
  EXPECT_NE(printed.out.find(R"("game": "White2",
  "language": "ENG",
  "console": "3DS",)"),
            std::string::npos)
      << printed.out;
  EXPECT_NE(printed.out.find(R"("is3ds": true)"), std::string::npos);
  const Outcome search = run({"-s", "boot.json", "-c", "config.txt", "-o", "-", "--encoding", "utf-8", "-q"});
  EXPECT_NE(search.out.find("\r\n12,10,7,12,34,56,2,15,29,10,9,9,29,ドラゴン,33,EEC69215F3BA6BF9\r\n"),
            std::string::npos)
      << search.out;
  EXPECT_EQ(run({"-s", "boot.json", "--console", "DSi"}).exitCode, 2);
}

// The README's loop: the target line among the moments around it, and the boot a second
// late with the next Timer0 found first from the values the player saw there.
TEST_F(CliTest, AdjacentShowsTheTargetAndFindsTheMissFirst) {
  const std::string target = testing::sourceTreePath("docs/examples/white2-target.json");
  const Outcome search = run({"-s", target, "-o", "-", "--encoding", "utf-8", "-q"});
  const std::string hit = "12,10,7,12,33,46,2,31,30,18,10,24,30,かくとう,49,CFB50E2A26EE20D9,A\r\n";
  ASSERT_NE(search.out.find("\r\n" + hit), std::string::npos) << search.out;
  const std::vector<std::string> around = {"adjacent", "-s", target, "--moment", "2012-10-07T12:33:46", "--keys", "A"};
  std::vector<std::string> args = around;
  args.insert(args.end(), {"--encoding", "utf-8"});
  const Outcome neighbours = run(args);
  ASSERT_EQ(neighbours.exitCode, 0) << neighbours.err;
  EXPECT_NE(neighbours.out.find("\r\n*,0,0,0," + hit), std::string::npos) << neighbours.out;
  EXPECT_EQ(neighbours.out.find("\r\n*,"), neighbours.out.rfind("\r\n*,"));  // positions 0 to 4, the target at 2
  EXPECT_EQ(neighbours.err, "45 boot moments around the hit\n");

  args.insert(args.end(), {"--observed", "28,23,2,20,24,3"});
  const Outcome observed = run(args);
  ASSERT_EQ(observed.exitCode, 0) << observed.err;
  EXPECT_TRUE(observed.out.starts_with(
      "目標,観測と一致,秒のずれ,Timer0のずれ,VCountのずれ,年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed,"
      "キー入力\r\n,*,+1,+1,0,12,10,7,12,33,47,2,28,23,2,20,24,3,どく,38,1BD89D53480B9026,A\r\n"))
      << observed.out;
  EXPECT_EQ(observed.err, "45 boot moments around the hit; 1 line agrees with the observation\n");
  // The result's choices as the search takes them: the players' numbering, the game's advances.
  args.insert(args.end(), {"--iv-numbering", "players", "--initial-advances"});
  const Outcome chosen = run(args);
  ASSERT_EQ(chosen.exitCode, 0) << chosen.err;
  EXPECT_NE(chosen.out.find(",初期seed,初期消費,キー入力\r\n,*,+1,+1,0,12,10,7,12,33,47,0,28,23,2,20,24,3,どく,38,"
                            "1BD89D53480B9026,"),
            std::string::npos)
      << chosen.out;

  // Usage errors, before anything is printed.
  const std::vector<std::vector<std::string>> refused = {
      {"--moment", "2012-02-30T12:00:00"},
      {"--keys", "A+A"},
      {"--keys", "Z"},
      {"--observed", "31,31,31"},
      {"--observed", "0-32,0,0,0,0,0"},
      {"--seconds", "61"},
      {"--hit-timer0", "10000"},
      {"--observed-nature", "Adamant"},
      {"--observed-nature", "Bold!"},
      {"--observed-shiny", "maybe"},
  };
  for (const std::vector<std::string>& wrong : refused) {
    args = around;
    args.insert(args.end(), wrong.begin(), wrong.end());
    const Outcome outcome = run(args);
    EXPECT_EQ(outcome.exitCode, 2) << wrong[0] << " " << wrong[1];
    EXPECT_NE(outcome.err.find(wrong[0]), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.out, "");
  }
  EXPECT_EQ(run({"adjacent", "-s", target}).exitCode, 2);  // no --moment
  writeFile("range.json", R"({"timer0Min": "10F3", "timer0Max": "10F4", "startYear": 12, "startMonth": 10,
    "startDay": 7, "endYear": 12, "endMonth": 10, "endDay": 7})");
  const Outcome range = run({"adjacent", "-s", "range.json", "--moment", "2012-10-07T12:33:46"});
  EXPECT_EQ(range.exitCode, 2);
  EXPECT_NE(range.err.find("--hit-timer0"), std::string::npos) << range.err;
  EXPECT_EQ(run({"adjacent", "-s", "range.json", "--moment", "2012-10-07T12:33:46", "--hit-timer0", "10F4"}).exitCode,
            0);
  EXPECT_EQ(run({"adjacent", "-s", "missing.json", "--moment", "2012-10-07T12:33:46"}).exitCode, 1);
}

// Named with an edition, a console has its kind's Frame and GxStat unless a file gives
// them; a file without an edition keeps the defaults it always had.
TEST_F(CliTest, TheConsoleKindGivesFrameAndGxStatNoFileGives) {
  const std::string boot = R"("macAddress": "00-09-BF-12-34-56", "startYear": 12, "startMonth": 10, "startDay": 7,
    "endYear": 12, "endMonth": 10, "endDay": 7, "startHour": 12, "endHour": 12, "startMinute": 34, "endMinute": 34,
    "startSecond": 56, "endSecond": 56, "ivConsumptionMin": 0, "ivConsumptionMax": 3, "vcount": "82", "timer0": "10F3")";
  const std::string edition = R"("game": "White2", "language": "ENG", "console": "DSLite", )";
  writeFile("kind.json", "{" + edition + boot + "}");
  writeFile("frame8.json", "{" + edition + R"("frame": 8, )" + boot + "}");
  writeFile("plain.json", "{" + boot + "}");
  writeFile("config.txt", "82\n10f3\n5000000\n9\n");
  const auto console = [&](std::vector<std::string> args) {
    args.push_back("--print-settings");
    const Outcome printed = run(args);
    EXPECT_EQ(printed.exitCode, 0) << printed.err;
    const std::size_t gxStat = printed.out.find(R"("gxStat": ")");
    const std::size_t frame = printed.out.find(R"("frame": )");
    return printed.out.substr(gxStat + 11, printed.out.find('"', gxStat + 11) - gxStat - 11) + " " +
           printed.out.substr(frame + 9, printed.out.find(',', frame) - frame - 9);
  };
  EXPECT_EQ(console({"-s", "kind.json"}), "0x6000000 6");
  EXPECT_EQ(console({"-s", "kind.json", "--console", "3DS"}), "0x6000000 8");
  EXPECT_EQ(console({"-s", "frame8.json"}), "0x6000000 8");
  EXPECT_EQ(console({"-s", "kind.json", "-c", "config.txt"}), "0x5000000 9");
  EXPECT_EQ(console({"-s", "plain.json"}), "0x0 0");
  EXPECT_EQ(console({"-s", "plain.json", "--edition", "Black,JPN", "--console", "DSi"}), "0x6000000 9");

  // The address words take them in: the worked example's values without its Frame and GxStat.
  const Outcome search = run({"-s", "kind.json", "-o", "-", "--encoding", "utf-8", "-q"});
  EXPECT_NE(search.out.find("\r\n12,10,7,12,34,56,2,15,29,10,9,9,29,ドラゴン,33,EEC69215F3BA6BF9\r\n"),
            std::string::npos)
      << search.out;
}

}  // namespace
}  // namespace hanabira
