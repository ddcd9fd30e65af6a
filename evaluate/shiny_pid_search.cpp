#include "evaluate/shiny_pid_search.h"

#include "evaluate/position_range.h"
#include "evaluate/reference_sequences.h"
#include "evaluate/shiny_rules.h"

namespace hanabira {
namespace {

// R[p] gives the PID and R[p + 1] the nature.
PidWindow pidWindowFor(const SearchSettings& settings) {
  const PositionRange positions = pidPositions(settings);
  if (positions.empty()) return PidWindow(0, 0);
  return PidWindow(positions.first, positions.size() + 2);
}

// Only roaming and stationary encounters draw the nature after the PID; an egg's nature
// is not decided here.
bool testsNature(const SearchSettings& settings) {
  return settings.shinyEncounterKind != hatchedEncounter && settings.shinyNature >= 1;
}

}  // namespace

ShinyPidSearchEvaluator::ShinyPidSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter,
                                                 const KernelSet& kernels)
    : settings_(settings),
      formatter_(formatter),
      empty_(pidPositions(settings).empty() || ivPositions(settings).empty()),
      trainerValue_(trainerShinyValue(settings.trainerId, settings.secretId)),
      testsNature_(testsNature(settings)),
      draws_(settings, kernels, maxEvaluationBatch),
      bounds_(ivBoundsFilter(settings, draws_)),
      hits_(draws_.empty() ? 0 : static_cast<std::size_t>(draws_.positionCount())),
      pids_(pidWindowFor(settings)) {
  shinyPids_.reserve(pidPositions(settings).size());
}

std::size_t ShinyPidSearchEvaluator::evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds,
                                              std::string& out) {
  if (empty_ || bounds_.impossible()) return 0;
  draws_.fill(seeds);
  seedHits_.build(hits_.data(), draws_.scan(bounds_, hits_.data()));
  if (seedHits_.empty()) return 0;
  std::size_t lines = 0;
  seedHits_.forEachSeed([&](std::size_t seed, std::span<const int> positions) {
    lines += evaluateSeed(seed, positions, moments, seeds[seed], out);
  });
  return lines;
}

std::size_t ShinyPidSearchEvaluator::evaluateSeed(std::size_t seed, std::span<const int> positions,
                                                  const MomentBatch& moments, InitialSeed initialSeed,
                                                  std::string& out) {
  bool pidsFound = false;
  std::size_t lines = 0;
  for (const int hit : positions) {
    const int j = draws_.firstPosition() + hit;
    const IvSet ivs = draws_.at(seed, j);
    const HiddenPower hiddenPower = hiddenPowerOf(ivs);
    if (!passesHiddenPowerFilter(settings_, hiddenPower)) continue;
    if (!pidsFound) {
      findShinyPids(initialSeed);
      pidsFound = true;
      if (shinyPids_.empty()) break;
    }
    for (const ShinyPid& shiny : shinyPids_) {
      formatter_.append(out, moments[seed], initialSeed,
                        ShinyPidMatch{j, ivs, hiddenPower, shiny.position, shiny.random, shiny.pid});
    }
    lines += shinyPids_.size();
  }
  return lines;
}

void ShinyPidSearchEvaluator::findShinyPids(InitialSeed seed) {
  shinyPids_.clear();
  pids_.fill(seed);
  const std::uint32_t* values = pids_.data();  // values[k] = R[pidConsumptionMin + k]
  const int first = settings_.pidConsumptionMin;
  const auto count = static_cast<int>(pidPositions(settings_).size());
  const auto wantedNature = settings_.shinyNature - 1;
  for (int k = 0; k < count; ++k) {
    if (testsNature_ && natureOf(values[k + 1]) != wantedNature) continue;
    std::uint32_t pid = encounterPid(values[k], settings_.shinyEncounterKind);
    if (settings_.idCorrection) pid = withIdCorrection(pid, trainerValue_);
    if (isShiny(pid, trainerValue_)) shinyPids_.push_back({first + k, values[k], pid});
  }
}

std::size_t shinyPidSearchReference(const SearchSettings& settings, const ResultFormatter& formatter,
                                    const SearchCursor& moment, InitialSeed seed, std::string& out) {
  if (settings.ivConsumptionMin > settings.ivConsumptionMax) return 0;
  const std::vector<std::uint32_t> ivSequence =
      plainIvSequence(seed, static_cast<std::size_t>(settings.ivConsumptionMax) + 7);
  PlainPidSequence r(seed);
  const std::uint32_t trainerValue = static_cast<std::uint32_t>(settings.trainerId ^ settings.secretId);

  std::size_t lines = 0;
  for (int j = settings.ivConsumptionMin; j <= settings.ivConsumptionMax; ++j) {
    const IvSet ivs = drawIvs(&ivSequence[static_cast<std::size_t>(j)], settings.roaming);
    const HiddenPower hiddenPower = hiddenPowerOf(ivs);
    if (!passesIvBounds(settings, ivs) || !passesHiddenPowerFilter(settings, hiddenPower)) continue;

    for (int p = settings.pidConsumptionMin; p <= settings.pidConsumptionMax; ++p) {
      const int kind = settings.shinyEncounterKind;
      if ((kind == 2 || kind == 3) && settings.shinyNature >= 1 &&
          scaledRandom(r[p + 1], 25) != static_cast<std::uint32_t>(settings.shinyNature - 1)) {
        continue;
      }
      const std::uint32_t value = r[p];
      std::uint32_t pid = 0;
      if (kind == 1) {
        pid = value == 0 ? 0 : value - 1;
      } else if (kind == 2) {
        pid = value;
      } else if ((value >> 31) == (value & 1)) {
        pid = value ^ 0x00010000;
      } else {
        pid = value ^ 0x80010000;
      }
      if (settings.idCorrection) {
        const std::uint32_t bit = (trainerValue ^ pid) & 1;
        pid = (pid & 0x7FFFFFFF) | (bit << 31);
      }
      if ((trainerValue ^ (pid >> 16) ^ (pid & 0xFFFF)) > 7) continue;
      formatter.append(out, moment, seed, ShinyPidMatch{j, ivs, hiddenPower, p, value, pid});
      ++lines;
    }
  }
  return lines;
}

}  // namespace hanabira
