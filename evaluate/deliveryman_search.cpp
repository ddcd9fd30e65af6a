#include "evaluate/deliveryman_search.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <algorithm>
#include <iterator>

#include "core/pid_span.h"
#include "evaluate/position_range.h"
#include "evaluate/prefilter_stage.h"
#include "evaluate/reference_sequences.h"
#include "evaluate/shiny_rules.h"

namespace hanabira {
namespace {

// How far past the H value a position reads besides its nature: the six values, and the
// two PID values at 8 and 9 in the regional distribution.
int valuesReadPerPosition(const SearchSettings& settings) { return settings.deliveryShiny ? 10 : 6; }

// Natures that lie within or just behind the values are stepped to with them; farther
// ones get a span of their own, reached with a jump.
bool separateNatures(const SearchSettings& settings) {
  return static_cast<std::size_t>(settings.deliveryNaturePosition) >
         pidPositions(settings).size() + static_cast<std::size_t>(valuesReadPerPosition(settings));
}

// Each range the kernel tests costs a comparison for every value it makes. The nature's
// joins the values' bounds only where they let more than one position in 4096 through;
// below that the exact check sees it on the few positions left.
bool prefiltersNature(const SearchSettings& settings) {
  if (separateNatures(settings) || settings.deliveryNature == 0) return false;
  std::int64_t passing = 1;  // value combinations within the bounds, out of 32^6 = 2^30
  for (int k = 0; k < 6; ++k) {
    // Bounds may be any ints: clamped to the values first, so that no difference overflows.
    const int low = std::clamp(settings.ivMin[k], 0, 32);
    const int high = std::clamp(settings.ivMax[k], -1, 31);
    passing *= std::max(0, high - low + 1);
  }
  return passing > (std::int64_t{1} << 30) / 4096;
}

// Positions in 64 bits: no nature position is too far.
PidSpan natureSpanFor(const SearchSettings& settings) {
  const PositionRange positions = pidPositions(settings);
  if (positions.empty() || !separateNatures(settings)) return PidSpan(0, 0);
  return PidSpan(positions.first + settings.deliveryNaturePosition, positions.size());
}

// The distribution's PID keeps the upper three bytes of one value and takes its low byte,
// 0 to 125, from the next.
constexpr std::uint32_t distributionPid(std::uint32_t upper, std::uint32_t low) {
  return (upper & 0xFFFFFF00u) | scaledRandom(low, 126);
}

class DeliverymanSearchEvaluator final : public ModeEvaluator {
 public:
  DeliverymanSearchEvaluator(const SearchSettings& settings, const ResultText& text, const KernelSet& kernels)
      : settings_(settings),
        text_(text),
        trainerValue_(trainerShinyValue(settings.deliveryTrainerId, settings.deliverySecretId)),
        stage_(*deliverymanSearchPrefilter(settings), kernels),
        separateNatures_(separateNatures(settings)),
        natures_(natureSpanFor(settings)) {}

  void evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, LineOutput& out) override {
    stage_.run(seeds, [&](std::size_t seed, std::span<const int> positions) {
      evaluateSeed(seed, positions, moments, seeds[seed], out);
    });
  }

 private:
  // Seed `seed` of the batch, at the positions that pass the range tests.
  void evaluateSeed(std::size_t seed, std::span<const int> positions, const MomentBatch& moments,
                    InitialSeed initialSeed, LineOutput& out) {
    const SequenceRows& rows = stage_.rows();
    bool naturesFilled = false;
    std::uint32_t values[10];
    IvSet ivs;
    HiddenPower hiddenPower;
    for (const int hit : positions) {
      const std::int64_t i = rows.first() + hit;
      for (int k = 0; k < valuesReadPerPosition(settings_); ++k) values[k] = rows.at(seed, i + k);
      std::uint32_t nature;
      if (separateNatures_) {
        if (!naturesFilled) {
          natures_.fill(initialSeed);
          naturesFilled = true;
        }
        nature = natures_[i + settings_.deliveryNaturePosition];
      } else {
        nature = rows.at(seed, i + settings_.deliveryNaturePosition);
      }
      if (!matches(values, nature, ivs, hiddenPower)) continue;
      appendDeliverymanSearchLine(text_, out.text(), moments[seed], initialSeed,
                                  DeliverymanMatch{static_cast<int>(i), natureOf(nature), ivs, hiddenPower});
      out.endLine();
    }
  }

  // values[k] = R[i + k] and nature = R[i + deliveryNaturePosition] for one position i.
  bool matches(const std::uint32_t* values, std::uint32_t nature, IvSet& ivs, HiddenPower& hiddenPower) const {
    if (settings_.deliveryNature != 0 && natureOf(nature) != settings_.deliveryNature - 1) return false;
    for (int k = 0; k < 6; ++k) {
      ivs[k] = ivOf(values[k]);
      if (ivs[k] < settings_.ivMin[k] || ivs[k] > settings_.ivMax[k]) return false;
    }
    hiddenPower = hiddenPowerOf(ivs);
    if (!passesHiddenPowerFilter(settings_, hiddenPower)) return false;
    return !settings_.deliveryShiny || isShiny(distributionPid(values[8], values[9]), trainerValue_);
  }

  const SearchSettings& settings_;
  const ResultText& text_;
  std::uint32_t trainerValue_;
  // The values from the first H value on; they hold the natures too unless the nature
  // lies far behind, where a span of a seed's own starts with a jump.
  PrefilterStage stage_;
  bool separateNatures_;
  PidSpan natures_;
};

}  // namespace

void appendDeliverymanSearchLine(const ResultText& text, std::string& out, const BootMoment& moment, InitialSeed seed,
                                 const DeliverymanMatch& match) {
  text.appendMoment(out, moment);
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},"), match.position);
  out += text.natureName(match.nature);  // filled out to five characters with ideographic spaces
  out += ',';
  text.appendIvsAndHiddenPower(out, match.ivs, match.hiddenPower, seed);
  text.appendLineEnd(out, seed, moment.keyMask);
}

void checkDeliverymanOptions(const SearchSettings& settings, SettingsCheck& check) {
  check.range("deliveryNaturePosition", settings.deliveryNaturePosition, 0, SettingsCheck::unbounded);
  check.choice("deliveryNature", settings.deliveryNature, natureChoices);
}

// The six values' bounds, and the nature where the rows hold it.
std::optional<Prefilter> deliverymanSearchPrefilter(const SearchSettings& settings) {
  const PositionRange positions = pidPositions(settings);
  Prefilter prefilter{RandomSequence::Personality, positions.first, 0, 0, {}, {}};
  for (int k = 0; k < 6; ++k) prefilter.filter.requireIv(k, settings.ivMin[k], settings.ivMax[k]);
  if (prefiltersNature(settings)) {
    const auto nature = static_cast<std::uint32_t>(settings.deliveryNature - 1);
    prefilter.filter.requireScaled(settings.deliveryNaturePosition, 25, nature, nature);
  }
  if (positions.empty()) return prefilter;
  int reach = valuesReadPerPosition(settings) - 1;
  if (!separateNatures(settings)) reach = std::max(reach, settings.deliveryNaturePosition);
  prefilter.positions = static_cast<int>(positions.size());
  prefilter.rowCount = prefilter.positions + reach;
  return prefilter;
}

std::unique_ptr<ModeEvaluator> makeDeliverymanSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                              const KernelSet& kernels) {
  return std::make_unique<DeliverymanSearchEvaluator>(settings, text, kernels);
}

std::size_t deliverymanSearchReference(const SearchSettings& settings, const ResultText& text, const BootMoment& moment,
                                       InitialSeed seed, std::string& out) {
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
    appendDeliverymanSearchLine(text, out, moment, seed, DeliverymanMatch{i, nature, ivs, hiddenPower});
    ++lines;
  }
  return lines;
}

}  // namespace hanabira
