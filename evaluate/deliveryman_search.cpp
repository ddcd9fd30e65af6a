#include "evaluate/deliveryman_search.h"

#include <algorithm>

#include "evaluate/position_range.h"
#include "evaluate/reference_sequences.h"
#include "evaluate/shiny_rules.h"

namespace hanabira {
namespace {

// How far past the H value a position reads besides its nature: the six values, and the
// two PID values at 8 and 9 in the regional distribution.
int valuesRead(const SearchSettings& settings) { return settings.deliveryShiny ? 10 : 6; }

// Natures that lie within or just behind the values are stepped to with them; farther
// ones get a window of their own, reached with a jump.
bool separateNatures(const SearchSettings& settings) {
  return static_cast<std::size_t>(settings.deliveryNaturePosition) >
         pidPositions(settings).size() + static_cast<std::size_t>(valuesRead(settings));
}

RangeFilter filterFor(const SearchSettings& settings) {
  RangeFilter filter;
  for (int k = 0; k < 6; ++k) filter.requireIv(k, settings.ivMin[k], settings.ivMax[k]);
  if (!separateNatures(settings) && settings.deliveryNature != 0) {
    const auto nature = static_cast<std::uint32_t>(settings.deliveryNature - 1);
    filter.requireScaled(settings.deliveryNaturePosition, 25, nature, nature);
  }
  return filter;
}

PidRows valueRowsFor(const SearchSettings& settings, const KernelSet& kernels) {
  const PositionRange positions = pidPositions(settings);
  if (positions.empty()) return PidRows(0, 0, 0, kernels);
  std::int64_t reach = valuesRead(settings) - 1;
  if (!separateNatures(settings)) reach = std::max<std::int64_t>(reach, settings.deliveryNaturePosition);
  const RangeFilter filter = filterFor(settings);
  return PidRows(positions.first, positions.size() + static_cast<std::size_t>(reach), maxEvaluationBatch, kernels,
                 std::span(filter.tests(), static_cast<std::size_t>(filter.testCount())));
}

// Positions in 64 bits: no nature position is too far.
PidWindow natureWindowFor(const SearchSettings& settings) {
  const PositionRange positions = pidPositions(settings);
  if (positions.empty() || !separateNatures(settings)) return PidWindow(0, 0);
  return PidWindow(positions.first + settings.deliveryNaturePosition, positions.size());
}

// The distribution's PID keeps the upper three bytes of one value and takes its low byte,
// 0 to 125, from the next.
constexpr std::uint32_t distributionPid(std::uint32_t upper, std::uint32_t low) {
  return (upper & 0xFFFFFF00u) | scaledRandom(low, 126);
}

}  // namespace

DeliverymanSearchEvaluator::DeliverymanSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter,
                                                       const KernelSet& kernels)
    : settings_(settings),
      formatter_(formatter),
      empty_(pidPositions(settings).empty()),
      trainerValue_(trainerShinyValue(settings.deliveryTrainerId, settings.deliverySecretId)),
      values_(valueRowsFor(settings, kernels)),
      separateNatures_(separateNatures(settings)),
      natures_(natureWindowFor(settings)),
      filter_(filterFor(settings)),
      hits_(pidPositions(settings).size()) {}

std::size_t DeliverymanSearchEvaluator::evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds,
                                                 std::string& out) {
  if (empty_ || filter_.impossible()) return 0;
  values_.fill(seeds);
  const std::size_t hitCount = values_.scanFilter(static_cast<int>(hits_.size()), hits_.data());
  seedHits_.build(hits_.data(), hitCount);
  if (seedHits_.empty()) return 0;
  std::size_t lines = 0;
  seedHits_.forEachSeed([&](std::size_t seed, std::span<const int> positions) {
    lines += evaluateSeed(seed, positions, moments, seeds[seed], out);
  });
  return lines;
}

std::size_t DeliverymanSearchEvaluator::evaluateSeed(std::size_t seed, std::span<const int> positions,
                                                     const MomentBatch& moments, InitialSeed initialSeed,
                                                     std::string& out) {
  const std::int64_t first = settings_.pidConsumptionMin;
  bool naturesFilled = false;
  std::size_t lines = 0;
  std::uint32_t values[10];
  IvSet ivs;
  HiddenPower hiddenPower;
  for (const int hit : positions) {
    const std::int64_t i = first + hit;
    for (int k = 0; k < valuesRead(settings_); ++k) values[k] = values_.at(seed, i + k);
    std::uint32_t nature;
    if (separateNatures_) {
      if (!naturesFilled) {
        natures_.fill(initialSeed);
        naturesFilled = true;
      }
      nature = natures_[i + settings_.deliveryNaturePosition];
    } else {
      nature = values_.at(seed, i + settings_.deliveryNaturePosition);
    }
    if (!matches(values, nature, ivs, hiddenPower)) continue;
    formatter_.append(out, moments[seed], initialSeed,
                      DeliverymanMatch{static_cast<int>(i), natureOf(nature), ivs, hiddenPower});
    ++lines;
  }
  return lines;
}

bool DeliverymanSearchEvaluator::matches(const std::uint32_t* values, std::uint32_t nature, IvSet& ivs,
                                         HiddenPower& hiddenPower) const {
  if (settings_.deliveryNature != 0 && natureOf(nature) != settings_.deliveryNature - 1) return false;
  for (int k = 0; k < 6; ++k) {
    ivs[k] = ivOf(values[k]);
    if (ivs[k] < settings_.ivMin[k] || ivs[k] > settings_.ivMax[k]) return false;
  }
  hiddenPower = hiddenPowerOf(ivs);
  if (!passesHiddenPowerFilter(settings_, hiddenPower)) return false;
  return !settings_.deliveryShiny || isShiny(distributionPid(values[8], values[9]), trainerValue_);
}

std::size_t deliverymanSearchReference(const SearchSettings& settings, const ResultFormatter& formatter,
                                       const SearchCursor& moment, InitialSeed seed, std::string& out) {
  PlainPidSequence r(seed);
  const std::uint32_t trainerValue = static_cast<std::uint32_t>(settings.deliveryTrainerId ^ settings.deliverySecretId);
  std::size_t lines = 0;
  for (int i = settings.pidConsumptionMin; i <= settings.pidConsumptionMax; ++i) {
    const int nature = static_cast<int>(scaledRandom(r[std::int64_t{i} + settings.deliveryNaturePosition], 25));
    const IvSet ivs = {static_cast<int>(r[i] >> 27),     static_cast<int>(r[i + 1] >> 27),
                       static_cast<int>(r[i + 2] >> 27), static_cast<int>(r[i + 3] >> 27),
                       static_cast<int>(r[i + 4] >> 27), static_cast<int>(r[i + 5] >> 27)};
    const HiddenPower hiddenPower = hiddenPowerOf(ivs);
    if (settings.deliveryNature != 0 && nature != settings.deliveryNature - 1) continue;
    if (!passesIvBounds(settings, ivs) || !passesHiddenPowerFilter(settings, hiddenPower)) continue;
    if (settings.deliveryShiny) {
      const std::uint32_t pid = (r[i + 8] & 0xFFFFFF00) | scaledRandom(r[i + 9], 126);
      if ((trainerValue ^ (pid >> 16) ^ (pid & 0xFFFF)) > 7) continue;
    }
    formatter.append(out, moment, seed, DeliverymanMatch{i, nature, ivs, hiddenPower});
    ++lines;
  }
  return lines;
}

}  // namespace hanabira
