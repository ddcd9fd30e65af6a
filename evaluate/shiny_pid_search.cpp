#include "evaluate/shiny_pid_search.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <array>
#include <iterator>
#include <vector>

#include "evaluate/iv_draws.h"
#include "evaluate/position_range.h"
#include "evaluate/prefilter_stage.h"
#include "evaluate/reference_sequences.h"
#include "evaluate/shiny_rules.h"

namespace hanabira {
namespace {

// Only roaming and stationary encounters draw the nature after the PID; an egg's nature
// is not decided here.
bool testsNature(const SearchSettings& settings) {
  return settings.shinyEncounterKind != hatchedEncounter && settings.shinyNature >= 1;
}

// The shiny test of R[p] and the nature of R[p + 1], over the PID positions.
Prefilter pidPrefilter(const SearchSettings& settings) {
  const PositionRange positions = pidPositions(settings);
  Prefilter prefilter{RandomSequence::Personality, positions.first, 0, 0, {}, {}};
  if (positions.empty()) return prefilter;
  prefilter.positions = static_cast<int>(positions.size());
  prefilter.rowCount = prefilter.positions + 2;
  if (testsNature(settings)) {
    const auto nature = static_cast<std::uint32_t>(settings.shinyNature - 1);
    prefilter.filter.requireScaled(1, 25, nature, nature);
  }
  prefilter.halves = shinyTest(settings.shinyEncounterKind, settings.idCorrection,
                               trainerShinyValue(settings.trainerId, settings.secretId), 0);
  return prefilter;
}

// The shiny PIDs of a seed do not depend on its individual values: the seeds whose
// values pass somewhere go through the personality-value scan together, and only those
// with a shiny PID have their values' positions checked.
class ShinyPidSearchEvaluator final : public ModeEvaluator {
 public:
  ShinyPidSearchEvaluator(const SearchSettings& settings, const ResultText& text, const KernelSet& kernels)
      : settings_(settings),
        text_(text),
        trainerValue_(trainerShinyValue(settings.trainerId, settings.secretId)),
        testsNature_(testsNature(settings)),
        ivStage_(*shinyPidSearchPrefilter(settings), kernels),
        pidStage_(pidPrefilter(settings), kernels) {
    shinyPids_.reserve(pidPositions(settings).size());
  }

  void evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, LineOutput& out) override {
    const SeedHits& ivHits = ivStage_.find(seeds);
    if (ivHits.empty()) return;
    std::size_t candidates = 0;
    ivHits.forEachSeed([&](std::size_t seed, std::span<const int>) {
      candidateSeeds_[candidates] = seeds[seed];
      batchIndex_[candidates++] = seed;
    });
    pidStage_.find(std::span(candidateSeeds_.data(), candidates))
        .forEachSeed([&](std::size_t candidate, std::span<const int> pidHits) {
          const std::size_t seed = batchIndex_[candidate];
          evaluateSeed(seed, candidate, ivHits.positionsOf(seed), pidHits, moments[seed], seeds[seed], out);
        });
  }

 private:
  struct ShinyPid {
    int position;
    std::uint32_t random;
    std::uint32_t pid;
  };

  // Seed `seed` of the batch, candidate `candidate` of the personality-value scan, at
  // the positions each stage found for it.
  void evaluateSeed(std::size_t seed, std::size_t candidate, std::span<const int> ivHits, std::span<const int> pidHits,
                    const BootMoment& moment, InitialSeed initialSeed, LineOutput& out) {
    findShinyPids(candidate, pidHits);
    if (shinyPids_.empty()) return;
    for (const int hit : ivHits) {
      const std::int64_t j = ivStage_.rows().first() + hit;
      const IvSet ivs = drawnIvs(ivStage_.rows(), seed, j, settings_.roaming);
      const HiddenPower hiddenPower = hiddenPowerOf(ivs);
      if (!passesHiddenPowerFilter(settings_, hiddenPower)) continue;
      for (const ShinyPid& shiny : shinyPids_) {
        appendShinyPidSearchLine(
            text_, out.text(), moment, initialSeed,
            ShinyPidMatch{static_cast<int>(j), ivs, hiddenPower, shiny.position, shiny.random, shiny.pid});
        out.endLine();
      }
    }
  }

  // The scan's hits checked by the game's rules.
  void findShinyPids(std::size_t candidate, std::span<const int> pidHits) {
    shinyPids_.clear();
    const SequenceRows& rows = pidStage_.rows();
    const auto wantedNature = settings_.shinyNature - 1;
    for (const int hit : pidHits) {
      const std::int64_t p = rows.first() + hit;
      if (testsNature_ && natureOf(rows.at(candidate, p + 1)) != wantedNature) continue;
      const std::uint32_t value = rows.at(candidate, p);
      std::uint32_t pid = encounterPid(value, settings_.shinyEncounterKind);
      if (settings_.idCorrection) pid = withIdCorrection(pid, trainerValue_);
      if (isShiny(pid, trainerValue_)) shinyPids_.push_back({static_cast<int>(p), value, pid});
    }
  }

  const SearchSettings& settings_;
  const ResultText& text_;
  std::uint32_t trainerValue_;
  bool testsNature_;
  PrefilterStage ivStage_;
  PrefilterStage pidStage_;
  // The seeds that pass the individual values somewhere, and where they are in the batch.
  std::array<InitialSeed, maxEvaluationBatch> candidateSeeds_{};
  std::array<std::size_t, maxEvaluationBatch> batchIndex_{};
  std::vector<ShinyPid> shinyPids_;
};

}  // namespace

void appendShinyPidSearchLine(const ResultText& text, std::string& out, const BootMoment& moment, InitialSeed seed,
                              const ShinyPidMatch& match) {
  text.appendMoment(out, moment);
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},"), text.shownIvPosition(match.ivPosition));
  text.appendIvsAndHiddenPower(out, match.ivs, match.hiddenPower, seed);
  // This column shows one less than the position of the PID's value (position 0 shows as
  // -1): users compare it with result files that have always counted so.
  fmt::format_to(std::back_inserter(out), FMT_COMPILE(",{},{:08X},{:08X}"), match.pidPosition - 1, match.random,
                 match.pid);
  text.appendLineEnd(out, seed, moment.keyMask);
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

std::size_t shinyPidSearchReference(const SearchSettings& settings, const ResultText& text, const BootMoment& moment,
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
