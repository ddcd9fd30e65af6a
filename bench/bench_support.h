// What the benchmarks share: a sink that keeps nothing, and the console of the worked
// example booted on 2011-09-27 at 13 o'clock.
#pragma once

#include <benchmark/benchmark.h>

#include <string_view>

#include "core/search_settings.h"
#include "engine/result_sink.h"

namespace hanabira::bench {

class DiscardingSink final : public ResultSink {
 public:
  void write(std::string_view bytes) override { benchmark::DoNotOptimize(bytes.data()); }
};

// Black, VCount 0x60, Timer0 0xC79, GxStat 0x06000000, Frame 8, MAC 00-11-22-33-44-55;
// 2011-09-27, 13:00:00 to 13:00:59, no key input.
inline SearchSettings workedExampleHour() {
  SearchSettings settings;
  settings.vcount = 0x60;
  settings.timer0 = 0xC79;
  settings.gxStat = 0x06000000;
  settings.frame = 8;
  applyMacAddress(settings, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55});
  settings.startYear = settings.endYear = 11;
  settings.startMonth = settings.endMonth = 9;
  settings.startDay = settings.endDay = 27;
  settings.startHour = settings.endHour = 13;
  settings.endMinute = 0;
  return settings;
}

}  // namespace hanabira::bench
