#include "evaluate/iv_search.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <iterator>

#include "evaluate/iv_draws.h"
#include "evaluate/prefilter_stage.h"
#include "evaluate/reference_sequences.h"

namespace hanabira {
namespace {

class IvSearchEvaluator final : public ModeEvaluator {
 public:
  IvSearchEvaluator(const SearchSettings& settings, const ResultText& text, const KernelSet& kernels)
      : settings_(settings), text_(text), stage_(*ivSearchPrefilter(settings), kernels) {}

  // The bounds are ranges of the raw outputs: the kernels find the few positions that
  // pass, and only those are drawn and given the hidden-power test.
  void evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, LineOutput& out) override {
    stage_.run(seeds, [&](std::size_t seed, std::span<const int> positions) {
      for (const int hit : positions) {
        const std::int64_t j = stage_.rows().first() + hit;
        const IvSet ivs = drawnIvs(stage_.rows(), seed, j, settings_.roaming);
        const HiddenPower hiddenPower = hiddenPowerOf(ivs);
        if (!passesHiddenPowerFilter(settings_, hiddenPower)) continue;
        appendIvSearchLine(text_, out.text(), moments[seed], seeds[seed],
                           IvMatch{static_cast<int>(j), ivs, hiddenPower});
        out.endLine();
      }
    });
  }

 private:
  const SearchSettings& settings_;
  const ResultText& text_;
  PrefilterStage stage_;
};

}  // namespace

void appendIvSearchLine(const ResultText& text, std::string& out, const BootMoment& moment, InitialSeed seed,
                        const IvMatch& match) {
  text.appendMoment(out, moment);
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},"), text.shownIvPosition(match.position));
  text.appendIvsAndHiddenPower(out, match.ivs, match.hiddenPower, seed);
  text.appendLineEnd(out, seed, moment.keyMask);
}

std::optional<Prefilter> ivSearchPrefilter(const SearchSettings& settings) {
  return ivDrawPrefilter(settings, ivBoundsFilter(settings));
}

std::unique_ptr<ModeEvaluator> makeIvSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                     const KernelSet& kernels) {
  return std::make_unique<IvSearchEvaluator>(settings, text, kernels);
}

std::size_t ivSearchReference(const SearchSettings& settings, const ResultText& text, const BootMoment& moment,
                              InitialSeed seed, std::string& out) {
  if (settings.ivConsumptionMin > settings.ivConsumptionMax) return 0;
  const std::vector<std::uint32_t> sequence =
      plainIvSequence(seed, static_cast<std::size_t>(settings.ivConsumptionMax) + 7);

  std::size_t lines = 0;
  for (int j = settings.ivConsumptionMin; j <= settings.ivConsumptionMax; ++j) {
    const IvSet ivs = drawIvs(&sequence[static_cast<std::size_t>(j)], settings.roaming);
    const HiddenPower hiddenPower = hiddenPowerOf(ivs);
    if (passesIvBounds(settings, ivs) && passesHiddenPowerFilter(settings, hiddenPower)) {
      appendIvSearchLine(text, out, moment, seed, IvMatch{j, ivs, hiddenPower});
      ++lines;
    }
  }
  return lines;
}

}  // namespace hanabira
