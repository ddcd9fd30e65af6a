// Seeds per second of the OpenCL backend against the CPU backend in the same run, on
// settings files scaled to a number of days, with the device's rate for the hash alone as
// its ceiling; the bytes of both backends are compared over the moments the CPU searches.
//
//   hanabira_opencl_bench [--device N] [--days D | --seconds S] [--cpu-moments M] settings.json...
//
// --seconds scales each search to about S seconds on the device, from a first run over the
// file's own dates.
// Exits with 1 when the bytes differ, 2 on a usage error or without an OpenCL device.
#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "core/calendar.h"
#include "engine/opencl/opencl_backend.h"
#include "engine/prepared_search.h"
#include "engine/search_engine.h"
#include "engine/settings_json.h"
#include "engine/settings_validation.h"

namespace hanabira {
namespace {

// Counts what it is given and keeps nothing: a long search's result need not fit in memory.
class CountingSink final : public ResultSink {
 public:
  void write(std::string_view text) override { bytes += text.size(); }
  std::uint64_t bytes = 0;
};

SearchSettings loadSettings(const std::string& path, int days) {
  std::ifstream in(path);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const SettingsFromJson loaded = settingsFromJson(parseSettingsText(text), SearchSettings{});
  SearchSettings settings = loaded.settings;
  applyMacAddress(settings, loaded.mac.value_or(MacAddress{}));
  if (days > 0) {
    const Date last =
        dateFromDayNumber(dayNumber(Date{settings.startYear, settings.startMonth, settings.startDay}) + days - 1);
    settings.endYear = last.year;
    settings.endMonth = last.month;
    settings.endDay = last.day;
  }
  clampPidConsumption(settings);
  return settings;
}

template <class Run>
double secondsOf(Run&& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string rate(double seedsPerSecond) {
  if (seedsPerSecond >= 1e9) return fmt::format("{:.2f} G", seedsPerSecond / 1e9);
  return fmt::format("{:.1f} M", seedsPerSecond / 1e6);
}

int run(int argc, char** argv) {
  int device = -1;
  int days = 0;
  double seconds = 0;
  std::uint64_t cpuMoments = 50'000'000;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--device" && i + 1 < argc) {
      device = std::stoi(argv[++i]);
    } else if (arg == "--days" && i + 1 < argc) {
      days = std::stoi(argv[++i]);
    } else if (arg == "--seconds" && i + 1 < argc) {
      seconds = std::stod(argv[++i]);
    } else if (arg == "--cpu-moments" && i + 1 < argc) {
      cpuMoments = std::stoull(argv[++i]);
    } else {
      files.push_back(arg);
    }
  }
  const std::vector<BackendDevice> devices = openClDevices();
  if (device < 0) device = std::max(bestOpenClDevice(devices), 0);
  if (files.empty() || devices.empty()) {
    std::fprintf(
        stderr,
        "usage: hanabira_opencl_bench [--device N] [--days D | --seconds S] [--cpu-moments M] settings.json...\n"
        "(needs an OpenCL device)\n");
    return 2;
  }
  OpenClBackend backend(device,
                        [](const std::string& why) { std::fprintf(stderr, "device failed: %s\n", why.c_str()); });
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  fmt::print("device {}: {} ({}); CPU backend on {} threads\n", device, backend.device()->name,
             backend.device()->platform, threads);

  bool identical = true;
  for (const std::string& file : files) {
    int scaledDays = days;
    if (seconds > 0) {
      const SearchSettings probe = loadSettings(file, 0);
      SearchOptions options;
      options.backend = &backend;
      CountingSink counted;
      const double probeSeconds = secondsOf([&] { runSearch(probe, counted, options); });
      const int probeDays = dayNumber(Date{probe.endYear, probe.endMonth, probe.endDay}) -
                            dayNumber(Date{probe.startYear, probe.startMonth, probe.startDay}) + 1;
      // No later than 2099, the last year the console's clock has.
      const int daysLeft =
          dayNumber(Date{99, 12, 31}) - dayNumber(Date{probe.startYear, probe.startMonth, probe.startDay}) + 1;
      scaledDays = std::clamp(static_cast<int>(probeDays * seconds / std::max(probeSeconds, 1e-3)), 1, daysLeft);
    }
    const SearchSettings settings = loadSettings(file, scaledDays);
    const std::uint64_t total = BootMomentSpace(settings).size();
    const auto moments = static_cast<double>(total);
    const std::uint64_t cpuShare = std::min(cpuMoments, total);
    SearchOptions options;
    options.threads = threads;

    // The CPU over the first moments, and the device over the same ones: the bytes.
    options.moments = MomentRange{0, cpuShare};
    StringSink cpuResult;
    const double cpuSeconds = secondsOf([&] { runSearch(settings, cpuResult, options); });
    StringSink deviceResult;
    options.backend = &backend;
    runSearch(settings, deviceResult, options);
    const bool same = cpuResult.text() == deviceResult.text();
    identical = identical && same;

    // The device over the whole scaled search.
    options.moments = MomentRange{};
    CountingSink counted;
    const double deviceSeconds = secondsOf([&] { runSearch(settings, counted, options); });
    const double ceiling = backend.hashRate(PreparedSearch(settings, TextEncoding::Cp932), total);

    fmt::print("{}: {} moments ({} days from {}-{}-{})\n", file, total,
               dayNumber(Date{settings.endYear, settings.endMonth, settings.endDay}) -
                   dayNumber(Date{settings.startYear, settings.startMonth, settings.startDay}) + 1,
               2000 + settings.startYear, settings.startMonth, settings.startDay);
    fmt::print("  opencl  {}seeds/s ({:.2f} s, {} bytes of result)\n", rate(moments / deviceSeconds), deviceSeconds,
               counted.bytes);
    fmt::print("  hash    {}seeds/s (the device's SHA-1 alone: opencl is {:.0f}% of it)\n", rate(ceiling),
               100 * moments / deviceSeconds / ceiling);
    fmt::print("  cpu     {}seeds/s over the first {} moments ({:.2f} s)\n",
               rate(static_cast<double>(cpuShare) / cpuSeconds), cpuShare, cpuSeconds);
    fmt::print("  bytes   {} over those moments ({} bytes)\n", same ? "identical" : "DIFFERENT",
               cpuResult.text().size());
    if (backend.fellBack()) fmt::print("  the device failed: part of the run was on the CPU\n");
  }
  return identical ? 0 : 1;
}

}  // namespace
}  // namespace hanabira

int main(int argc, char** argv) {
  try {
    return hanabira::run(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "error: %s\n", error.what());
    return 2;
  }
}
