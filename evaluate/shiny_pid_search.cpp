#include "evaluate/shiny_pid_search.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <iterator>
#include <vector>

#include "core/pid_window.h"
#include "evaluate/iv_draws.h"
#include "evaluate/position_range.h"
#include "evaluate/prefilter_stage.h"
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

class ShinyPidSearchEvaluator final : public ModeEvaluator {
 public:
  ShinyPidSearchEvaluator(const SearchSettings& settings, const ResultText& text, const KernelSet& kernels)
      : settings_(settings),
        text_(text),
        trainerValue_(trainerShinyValue(settings.trainerId, settings.secretId)),
        testsNature_(testsNature(settings)),
        stage_(*shinyPidSearchPrefilter(settings), kernels),
        pids_(pidWindowFor(settings)) {
    shinyPids_.reserve(pidPositions(settings).size());
  }

  std::size_t evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, std::string& out) override {
    return stage_.run(seeds, [&](std::size_t seed, std::span<const int> positions) {
      return evaluateSeed(seed, positions, moments, seeds[seed], out);
    });
  }

 private:
  struct ShinyPid {
    int position;
    std::uint32_t random;
    std::uint32_t pid;
  };

  // Seed `seed` of the batch, at the positions where its values pass the bounds.
  std::size_t evaluateSeed(std::size_t seed, std::span<const int> positions, const MomentBatch& moments,
                           InitialSeed initialSeed, std::string& out) {
    bool pidsFound = false;
    std::size_t lines = 0;
    for (const int hit : positions) {
      const std::int64_t j = stage_.rows().first() + hit;
      const IvSet ivs = drawnIvs(stage_.rows(), seed, j, settings_.roaming);
      const HiddenPower hiddenPower = hiddenPowerOf(ivs);
      if (!passesHiddenPowerFilter(settings_, hiddenPower)) continue;
      if (!pidsFound) {
        findShinyPids(initialSeed);
        pidsFound = true;
        if (shinyPids_.empty()) break;
      }
      for (const ShinyPid& shiny : shinyPids_) {
        appendShinyPidSearchLine(
            text_, out, moments[seed], initialSeed,
            ShinyPidMatch{static_cast<int>(j), ivs, hiddenPower, shiny.position, shiny.random, shiny.pid});
      }
      lines += shinyPids_.size();
    }
    return lines;
  }

  // The shiny PIDs of the seed do not depend on the individual values: found once per
  // seed, and only for a seed whose values pass somewhere.
  void findShinyPids(InitialSeed seed) {
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

  const SearchSettings& settings_;
  const ResultText& text_;
  std::uint32_t trainerValue_;
  bool testsNature_;
  PrefilterStage stage_;
  PidWindow pids_;  // the PID values and, after them, the nature values
  std::vector<ShinyPid> shinyPids_;
};

}  // namespace

void appendShinyPidSearchLine(const ResultText& text, std::string& out, const SearchCursor& moment, InitialSeed seed,
                              const ShinyPidMatch& match) {
  text.appendMoment(out, moment);
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},"), match.ivPosition);
  text.appendIvsAndHiddenPower(out, match.ivs, match.hiddenPower, seed);
  // This column shows one less than the position of the PID's value (position 0 shows as
  // -1): users compare it with result files that have always counted so.
  fmt::format_to(std::back_inserter(out), FMT_COMPILE(",{},{:08X},{:08X}"), match.pidPosition - 1, match.random,
                 match.pid);
  text.appendKeysAndLineEnd(out, moment.keyMask);
}

void checkShinyPidOptions(const SearchSettings& settings, SettingsCheck& check) {
  check.choice("shinyEncounterKind", settings.shinyEncounterKind, encounterKindChoices);
  check.choice("shinyNature", settings.shinyNature, natureChoices);
}

// The individual values' bounds rule positions out; without a personality-value
// position nothing is found.
std::optional<Prefilter> shinyPidSearchPrefilter(const SearchSettings& settings) {
  Prefilter prefilter = ivDrawPrefilter(settings, ivBoundsFilter(settings));
  if (pidPositions(settings).empty()) prefilter.positions = 0;
  return prefilter;
}

std::unique_ptr<ModeEvaluator> makeShinyPidSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                           const KernelSet& kernels) {
  return std::make_unique<ShinyPidSearchEvaluator>(settings, text, kernels);
}

std::size_t shinyPidSearchReference(const SearchSettings& settings, const ResultText& text, const SearchCursor& moment,
                                    InitialSeed seed, std::string& out) {
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
      appendShinyPidSearchLine(text, out, moment, seed, ShinyPidMatch{j, ivs, hiddenPower, p, value, pid});
      ++lines;
    }
  }
  return lines;
}

}  // namespace hanabira
