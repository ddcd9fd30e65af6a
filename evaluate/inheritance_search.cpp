#include "evaluate/inheritance_search.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <iterator>
#include <vector>

#include "core/pid_span.h"
#include "evaluate/iv_draws.h"
#include "evaluate/position_range.h"
#include "evaluate/prefilter_stage.h"
#include "evaluate/reference_sequences.h"
#include "evaluate/shiny_rules.h"

namespace hanabira {
namespace {

// An egg that discards no pair reads up to ten positions past its own; thirty leave room
// for ten discarded pairs before the span has to grow.
constexpr int spanMargin = 30;

PidSpan pidSpanFor(const SearchSettings& settings) {
  const PositionRange eggs = pidPositions(settings);
  if (eggs.empty()) return PidSpan(0, 0);
  return PidSpan(eggs.first, eggs.size() + spanMargin);
}

bool withinBounds(const SearchSettings& settings, int stat, int value) {
  return settings.ivMin[stat] <= value && value <= settings.ivMax[stat];
}

class InheritanceSearchEvaluator final : public ModeEvaluator {
 public:
  InheritanceSearchEvaluator(const SearchSettings& settings, const ResultText& text, const KernelSet& kernels)
      : settings_(settings),
        text_(text),
        trainerValue_(trainerShinyValue(settings.trainerId, settings.secretId)),
        abilityRollOffset_(eggAbilityRollOffset(settings)),
        firstPairOffset_(eggFirstPairOffset(settings)),
        stage_(*inheritanceSearchPrefilter(settings), kernels),
        pids_(pidSpanFor(settings)) {
    eggs_.reserve(pidPositions(settings).size());
  }

  void evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, LineOutput& out) override {
    stage_.run(seeds, [&](std::size_t seed, std::span<const int> positions) {
      evaluateSeed(seed, positions, moments, seeds[seed], out);
    });
  }

 private:
  struct Egg {
    int position;
    InheritancePicks picks;
    std::uint32_t pid;
  };

  // Whatever the egg inherits, each of its values is the drawn one or a parent's: a stat
  // for which none of the three lies within the bounds rules the position out. And an egg
  // inherits three stats, so no more than three drawn values can be out of bounds.
  bool passesPrefilter(const IvSet& drawn) const {
    int outOfBounds = 0;
    for (int k = 0; k < 6; ++k) {
      if (withinBounds(settings_, k, drawn[k])) continue;
      if (++outOfBounds > 3) return false;
      if (!withinBounds(settings_, k, settings_.firstParentIvs[k]) &&
          !withinBounds(settings_, k, settings_.secondParentIvs[k])) {
        return false;
      }
    }
    return true;
  }

  // Seed `seed` of the batch, at the positions that pass the prefilter's range tests.
  void evaluateSeed(std::size_t seed, std::span<const int> positions, const MomentBatch& moments,
                    InitialSeed initialSeed, LineOutput& out) {
    bool eggsFound = false;
    for (const int hit : positions) {
      const std::int64_t j = stage_.rows().first() + hit;
      const IvSet drawn = drawnIvs(stage_.rows(), seed, j, settings_.roaming);
      if (!passesPrefilter(drawn)) continue;
      if (!eggsFound) {
        findEggs(initialSeed);
        eggsFound = true;
        if (eggs_.empty()) break;
      }
      for (const Egg& egg : eggs_) {
        const IvSet ivs = inheritIvs(drawn, egg.picks, settings_.firstParentIvs, settings_.secondParentIvs);
        if (!passesIvBounds(settings_, ivs) || !passesHiddenPowerFilter(settings_, hiddenPowerOf(ivs))) continue;
        const InheritanceMatch match{static_cast<int>(j),   drawn, egg.position, egg.picks, genderValueOf(egg.pid),
                                     abilitySlotOf(egg.pid)};
        appendInheritanceSearchLine(text_, out.text(), moments[seed], initialSeed, match);
        out.endLine();
      }
    }
  }

  // Everything of an egg but its individual values is fixed by the egg position alone:
  // the eggs that pass those tests are found once per seed, and only for a seed whose
  // drawn values pass the prefilter somewhere.
  void findEggs(InitialSeed seed) {
    eggs_.clear();
    pids_.fill(seed);
    Egg egg;
    for (int c = settings_.pidConsumptionMin; c <= settings_.pidConsumptionMax; ++c) {
      if (findEgg(c, egg)) eggs_.push_back(egg);
    }
  }

  bool findEgg(int c, Egg& egg) {
    if (settings_.eggNature == 0) {
      if (!everstoneRollSucceeds(pids_[c + 1])) return false;
    } else if (settings_.eggNature >= 1) {
      if (natureOf(pids_[c]) != settings_.eggNature - 1) return false;
    }
    // Only a parent other than a Ditto passes the hidden ability on; with a Ditto a search
    // refuses the choice before it starts.
    if (settings_.withoutDitto && settings_.eggAbility == 3 &&
        !hiddenAbilityRollSucceeds(pids_[c + abilityRollOffset_])) {
      return false;
    }

    // A pair whose stat is already inherited is discarded; the picks go on two positions
    // later until three stats are chosen.
    std::int64_t q = c + firstPairOffset_;
    unsigned chosen = 0;
    for (int count = 0; count < 3; q += 2) {
      pids_.reach(q + 1);
      const InheritancePick pick = inheritancePickOf(pids_[q], pids_[q + 1]);
      if ((chosen & (1u << pick.stat)) != 0) continue;
      chosen |= 1u << pick.stat;
      egg.picks[static_cast<std::size_t>(count++)] = pick;
    }
    pids_.reach(q);
    const std::uint32_t pid = eggPid(pids_[q]);
    if (!passesEggGender(settings_.eggGenderRatio, genderValueOf(pid))) return false;
    if ((settings_.eggAbility == 1 || settings_.eggAbility == 2) && abilitySlotOf(pid) != settings_.eggAbility) {
      return false;
    }
    if (settings_.shinyPidSearch && !isShiny(pid, trainerValue_)) return false;
    egg.position = c;
    egg.pid = pid;
    return true;
  }

  const SearchSettings& settings_;
  const ResultText& text_;
  std::uint32_t trainerValue_;
  int abilityRollOffset_;
  int firstPairOffset_;
  PrefilterStage stage_;
  PidSpan pids_;
  std::vector<Egg> eggs_;
};

}  // namespace

void appendInheritanceSearchLine(const ResultText& text, std::string& out, const BootMoment& moment, InitialSeed seed,
                                 const InheritanceMatch& match) {
  text.appendMoment(out, moment);
  const IvSet& iv = match.drawnIvs;
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},{},{},{},{},{},{},{:016X},{},"),
                 text.shownIvPosition(match.ivPosition), iv[0], iv[1], iv[2], iv[3], iv[4], iv[5], seed,
                 match.eggPosition);
  for (const InheritancePick& pick : match.picks) out += text.inheritanceEntry(pick.stat, pick.parent);
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},{}"), match.genderValue, match.abilitySlot);
  text.appendLineEnd(out, seed, moment.keyMask);
}

void checkInheritanceOptions(const SearchSettings& settings, SettingsCheck& check) {
  check.choice("eggNature", settings.eggNature, eggNatureChoices);
  check.choice("eggAbility", settings.eggAbility, eggAbilityChoices);
  check.refuse(settings.eggAbility == 3 && !settings.withoutDitto,
               {"eggAbility", settings.eggAbility, SettingsProblem::Kind::HiddenAbilityFromDitto});
  check.choice("eggGenderRatio", settings.eggGenderRatio, eggGenderRatioChoices);
}

// A stat that neither parent can bring within its bounds must be drawn within them;
// without an egg position nothing is found.
std::optional<Prefilter> inheritanceSearchPrefilter(const SearchSettings& settings) {
  const std::array<int, 6> statRows = ivStatRows(settings.roaming);
  RangeFilter filter;
  for (int k = 0; k < 6; ++k) {
    if (withinBounds(settings, k, settings.firstParentIvs[k]) ||
        withinBounds(settings, k, settings.secondParentIvs[k])) {
      continue;
    }
    filter.requireIv(statRows[k], settings.ivMin[k], settings.ivMax[k]);
  }
  Prefilter prefilter = ivDrawPrefilter(settings, std::move(filter));
  if (pidPositions(settings).empty()) prefilter.positions = 0;
  return prefilter;
}

std::unique_ptr<ModeEvaluator> makeInheritanceSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                              const KernelSet& kernels) {
  return std::make_unique<InheritanceSearchEvaluator>(settings, text, kernels);
}

std::size_t inheritanceSearchReference(const SearchSettings& settings, const ResultText& text, const BootMoment& moment,
                                       InitialSeed seed, std::string& out) {
  if (settings.ivConsumptionMin > settings.ivConsumptionMax) return 0;
  const std::vector<std::uint32_t> ivSequence =
      plainIvSequence(seed, static_cast<std::size_t>(settings.ivConsumptionMax) + 7);
  PlainPidSequence r(seed);
  const auto inBounds = [&](int stat, int value) {
    return settings.ivMin[stat] <= value && value <= settings.ivMax[stat];
  };
  const int e = settings.eggNature == 0 ? 1 : 0;

  std::size_t lines = 0;
  for (int j = settings.ivConsumptionMin; j <= settings.ivConsumptionMax; ++j) {
    const IvSet drawn = drawIvs(&ivSequence[static_cast<std::size_t>(j)], settings.roaming);
    bool prefilter = true;
    for (int k = 0; k < 6; ++k) {
      if (!inBounds(k, drawn[k]) && !inBounds(k, settings.firstParentIvs[k]) &&
          !inBounds(k, settings.secondParentIvs[k])) {
        prefilter = false;
      }
    }
    if (!prefilter) continue;

    for (int c = settings.pidConsumptionMin; c <= settings.pidConsumptionMax; ++c) {
      if (settings.eggNature == 0 && (r[c + 1] >> 31) == 0) continue;
      if (settings.eggNature >= 1 && scaledRandom(r[c], 25) != static_cast<std::uint32_t>(settings.eggNature - 1)) {
        continue;
      }
      if (settings.withoutDitto && settings.eggAbility == 3 && scaledRandom(r[c + 1 + e], 5) < 2) continue;

      std::int64_t q = settings.withoutDitto ? c + 2 + e : c + 3 + e;
      InheritancePicks picks{};
      int count = 0;
      while (count < 3) {
        const int stat = static_cast<int>(scaledRandom(r[q], 6));
        const int parent = static_cast<int>(r[q + 1] >> 31);
        bool repeated = false;
        for (int k = 0; k < count; ++k) repeated = repeated || picks[static_cast<std::size_t>(k)].stat == stat;
        if (!repeated) picks[static_cast<std::size_t>(count++)] = {stat, parent};
        q += 2;
      }

      IvSet ivs = drawn;
      for (const InheritancePick& pick : picks) {
        ivs[pick.stat] = pick.parent == 0 ? settings.firstParentIvs[pick.stat] : settings.secondParentIvs[pick.stat];
      }
      if (!passesIvBounds(settings, ivs) || !passesHiddenPowerFilter(settings, hiddenPowerOf(ivs))) continue;

      const std::uint32_t pid = r[q] == 0 ? 0 : r[q] - 1;
      const int gender = static_cast<int>(pid & 0xFF);
      switch (settings.eggGenderRatio) {
        case 1:
          if (gender < 31) continue;
          break;
        case 2:
          if (gender < 63) continue;
          break;
        case 3:
          if (gender < 127) continue;
          break;
        case 4:
          if (gender < 191) continue;
          break;
        case 5:
          if (gender >= 191) continue;
          break;
        case 6:
          if (gender >= 127) continue;
          break;
        case 7:
          if (gender >= 63) continue;
          break;
        case 8:
          if (gender >= 31) continue;
          break;
        default:
          break;
      }
      const int slot = static_cast<int>((pid >> 16) & 1) + 1;
      if ((settings.eggAbility == 1 || settings.eggAbility == 2) && slot != settings.eggAbility) continue;
      if (settings.shinyPidSearch &&
          (static_cast<std::uint32_t>(settings.trainerId ^ settings.secretId) ^ (pid >> 16) ^ (pid & 0xFFFF)) > 7) {
        continue;
      }
      appendInheritanceSearchLine(text, out, moment, seed, InheritanceMatch{j, drawn, c, picks, gender, slot});
      ++lines;
    }
  }
  return lines;
}

}  // namespace hanabira
