// Finding a console's VCount, Timer0 and Frame: every combination of wide ranges of them,
// around a boot moment the player knows to a few seconds, with the keys held, is tested
// against an outcome the player observed there (the six individual values at a
// position, each as a range, or the initial seed itself). What explains the outcome is
// returned most likely first.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/boot_moment.h"
#include "core/initial_seed.h"
#include "core/isa.h"
#include "core/search_settings.h"
#include "core/settings_problem.h"

namespace hanabira {

// Where players' values lie; a calibration without ranges of its own searches these.
inline constexpr ParameterRange calibrationVcounts = {0x50, 0xC0};
inline constexpr ParameterRange calibrationTimer0s = {0xC00, 0x1900};
inline constexpr int maxCalibrationSeconds = 600;

struct CalibrationRequest {
  // The console (edition or version word, GxStat, the address words, is3ds), the keys
  // (keyInputEnabled, keyAllowed), the boot moment as the start date and time, and,
  // without a seed, the observed values: ivMin to ivMax at a position from
  // ivConsumptionMin to ivConsumptionMax, roaming or not. Frame is replaced by each of
  // `frames`.
  SearchSettings settings;
  int secondsAround = 5;
  ParameterRange vcounts = calibrationVcounts;
  ParameterRange timer0s = calibrationTimer0s;
  std::vector<int> frames;
  std::optional<InitialSeed> seed;
  // The key masks tried; empty: every mask the settings' keys allow.
  std::vector<std::uint16_t> keyMasks;
  // A boot the player aimed at (its date, time and keys, VCount and Timer0): the matches
  // are then ranked by how near they lie to it, in place of the typical ranges.
  std::optional<BootMoment> aimedAt;
};

// The request for settings as a search would take them: their ranges of VCount and
// Timer0 where they have them (the wide ones otherwise), and the Frame of their console
// kind (of every console kind of Black and White without an edition).
CalibrationRequest calibrationRequest(const SearchSettings& settings, int secondsAround = 5,
                                      std::optional<InitialSeed> seed = std::nullopt);

struct CalibrationMatch {
  std::uint32_t vcount;
  std::uint32_t timer0;
  int frame;
  BootMoment moment;  // date, time and keys of the boot, with vcount and timer0
  int secondsOff;     // from the boot moment of the request
  InitialSeed seed;
  int position;  // where the values were drawn; -1 for a seed

  friend bool operator==(const CalibrationMatch&, const CalibrationMatch&) = default;
};

struct CalibrationOptions {
  unsigned threads = 0;  // 0: every hardware thread
  std::optional<Isa> isa;
  const std::atomic<bool>* cancel = nullptr;
};

// The settings problem of a request (the boot moment, the positions, the ranges), or
// a seconds window out of 0 to maxCalibrationSeconds.
std::optional<SettingsProblem> findCalibrationProblem(const CalibrationRequest& request);

// Every match, most likely first: with an edition, the Frame of its console kind before
// others; then the pairs inside the edition's typical ranges before those outside; then
// fewer seconds off; then nearer the typical ranges; then VCount, Timer0, Frame, time,
// keys and position ascending. Aimed at a boot: fewer seconds off, then VCount and Timer0
// nearer the aimed ones, then fewer keys changed, then the same ascending order. Throws
// InvalidSettingsError for a request with a problem.
std::vector<CalibrationMatch> calibrate(const CalibrationRequest& request, const CalibrationOptions& options = {});

// The same, one boot at a time with the plain SHA-1 and MT19937: what the fast path is
// checked against.
std::vector<CalibrationMatch> calibrateReference(const CalibrationRequest& request);

}  // namespace hanabira
