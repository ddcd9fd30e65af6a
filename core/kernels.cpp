#include "core/kernels.h"

#include <fmt/format.h>

#include <algorithm>

#include "core/kernel_levels.h"
#include "core/sha1.h"
#include "i18n/translate.h"

namespace hanabira {

SeedDay prepareSeedDay(const BootMessage& words) {
  SeedDay day{};
  for (int t = 0; t < 16; ++t) {
    if (!scheduleVaries(t)) day.schedule[t] = words[t];
  }
  for (int t = 16; t < 80; ++t) {
    if (!scheduleVaries(t)) {
      const std::uint32_t* w = day.schedule;
      day.schedule[t] = detail::rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
    }
  }
  Sha1Digest v = sha1InitialValues;
  for (int t = 0; t < 9; ++t) detail::sha1Round(t, words[t], v);  // W0 to W8 only
  for (int i = 0; i < 5; ++i) day.afterRound8[i] = v[i];
  return day;
}

int lcgScanRows(const LcgScan& scan) {
  int reach = scan.halves != nullptr ? scan.halves->rowOffset : 0;
  for (int t = 0; t < scan.testCount; ++t) reach = std::max(reach, scan.tests[t].rowOffset);
  return scan.positions + reach;
}

// Four words per position for the seeds passing so far, and a row of bits for 64 seeds
// for each range of one pass and the halves test.
std::size_t lcgScanScratchWords(const LcgScan& scan) {
  const auto slots = static_cast<std::size_t>(std::min(scan.testCount, lcgScanRangesAtOnce) + 1);
  return 4 * static_cast<std::size_t>(scan.positions) + slots * static_cast<std::size_t>(lcgScanRows(scan));
}

SeedTime prepareSeedTime(const SeedDay& day, std::uint32_t timeWord) {
  SeedTime time{};
  std::uint32_t* w = time.schedule;
  for (int t = 0; t < 16; ++t) w[t] = day.schedule[t];  // W9 and W12 zero
  w[9] = timeWord;
  for (int t = 16; t < 80; ++t) w[t] = detail::rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
  Sha1Digest v;
  for (int i = 0; i < 5; ++i) v[i] = day.afterRound8[i];
  for (int t = 9; t < 12; ++t) detail::sha1Round(t, w[t], v);
  for (int i = 0; i < 5; ++i) time.afterRound11[i] = v[i];
  return time;
}

KeySchedules::KeySchedules(const std::vector<std::uint32_t>& keyWords)
    : stride(keyWords.size() + keyScheduleMargin), words(68 * stride) {
  for (std::size_t mask = 0; mask < keyWords.size(); ++mask) {
    std::uint32_t w[80] = {};
    w[12] = keyWords[mask];
    for (int t = 16; t < 80; ++t) w[t] = detail::rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
    for (int t = 12; t < 80; ++t) words[static_cast<std::size_t>(t - 12) * stride + mask] = w[t];
  }
}

const KernelSet& kernelsFor(Isa isa) {
  const KernelLevel& level = kernelLevel(isa);
  if (!level.cpuHasFeatures()) {
    std::string levels;
    for (Isa supported : supportedIsas()) levels += fmt::format("{}{}", levels.empty() ? "" : ", ", isaName(supported));
    throw UnsupportedIsaError(trf("this CPU cannot run the {} level; it runs: {}", level.name, levels));
  }
  return level.kernels;
}

const KernelSet& bestKernels() { return kernelsFor(supportedIsas().front()); }

}  // namespace hanabira
