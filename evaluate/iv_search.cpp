#include "evaluate/iv_search.h"

#include "evaluate/reference_sequences.h"

namespace hanabira {

IvSearchEvaluator::IvSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter,
                                     const KernelSet& kernels)
    : settings_(settings),
      formatter_(formatter),
      draws_(settings, kernels, maxEvaluationBatch),
      bounds_(ivBoundsFilter(settings, draws_)),
      hits_(draws_.empty() ? 0 : static_cast<std::size_t>(draws_.positionCount())) {}

std::size_t IvSearchEvaluator::evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds,
                                        std::string& out) {
  if (draws_.empty() || bounds_.impossible()) return 0;
  draws_.fill(seeds);
  // The bounds are ranges of the raw outputs: the kernels find the few positions that pass.
  seedHits_.build(hits_.data(), draws_.scan(bounds_, hits_.data()));
  if (seedHits_.empty()) return 0;
  std::size_t lines = 0;
  seedHits_.forEachSeed([&](std::size_t i, std::span<const int> positions) {
    for (const int hit : positions) {
      const int j = draws_.firstPosition() + hit;
      const IvSet ivs = draws_.at(i, j);
      const HiddenPower hiddenPower = hiddenPowerOf(ivs);
      if (!passesHiddenPowerFilter(settings_, hiddenPower)) continue;
      formatter_.append(out, moments[i], seeds[i], IvMatch{j, ivs, hiddenPower});
      ++lines;
    }
  });
  return lines;
}

std::size_t ivSearchReference(const SearchSettings& settings, const ResultFormatter& formatter,
                              const SearchCursor& moment, InitialSeed seed, std::string& out) {
  if (settings.ivConsumptionMin > settings.ivConsumptionMax) return 0;
  const std::vector<std::uint32_t> sequence =
      plainIvSequence(seed, static_cast<std::size_t>(settings.ivConsumptionMax) + 7);

  std::size_t lines = 0;
  for (int j = settings.ivConsumptionMin; j <= settings.ivConsumptionMax; ++j) {
    const IvSet ivs = drawIvs(&sequence[static_cast<std::size_t>(j)], settings.roaming);
    const HiddenPower hiddenPower = hiddenPowerOf(ivs);
    if (passesIvBounds(settings, ivs) && passesHiddenPowerFilter(settings, hiddenPower)) {
      formatter.append(out, moment, seed, IvMatch{j, ivs, hiddenPower});
      ++lines;
    }
  }
  return lines;
}

}  // namespace hanabira
