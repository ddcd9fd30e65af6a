#include "evaluate/iv_search.h"

#include "core/mt19937.h"

namespace hanabira {
namespace {

MtOutputWindow windowFor(const SearchSettings& settings) {
  if (settings.ivConsumptionMin > settings.ivConsumptionMax) return MtOutputWindow(0, 0);
  return MtOutputWindow(settings.ivConsumptionMin,
                        settings.ivConsumptionMax + ivDrawLength(settings.roaming) - 1);
}

}  // namespace

IvSearchEvaluator::IvSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter)
    : settings_(settings),
      formatter_(formatter),
      emptyRange_(settings.ivConsumptionMin > settings.ivConsumptionMax),
      window_(windowFor(settings)),
      outputs_(static_cast<std::size_t>(window_.size())) {}

std::size_t IvSearchEvaluator::evaluate(std::span<const SearchCursor> moments, std::span<const InitialSeed> seeds,
                                        std::string& out) {
  if (emptyRange_) return 0;
  std::size_t lines = 0;
  for (std::size_t i = 0; i < seeds.size(); ++i) {
    window_.fill(static_cast<std::uint32_t>(seeds[i] >> 32), outputs_.data());
    for (int j = settings_.ivConsumptionMin; j <= settings_.ivConsumptionMax; ++j) {
      const IvSet ivs = drawIvs(&outputs_[static_cast<std::size_t>(j - window_.first())], settings_.roaming);
      if (!passesIvBounds(settings_, ivs)) continue;
      const HiddenPower hiddenPower = hiddenPowerOf(ivs);
      if (!passesHiddenPowerFilter(settings_, hiddenPower)) continue;
      formatter_.append(out, moments[i], seeds[i], IvMatch{j, ivs, hiddenPower});
      ++lines;
    }
  }
  return lines;
}

std::size_t ivSearchReference(const SearchSettings& settings, const ResultFormatter& formatter,
                              const SearchCursor& moment, InitialSeed seed, std::string& out) {
  if (settings.ivConsumptionMin > settings.ivConsumptionMax) return 0;
  // The individual-value random sequence: MT19937 seeded with the upper half of the seed.
  Mt19937 generator(static_cast<std::uint32_t>(seed >> 32));
  std::vector<std::uint32_t> sequence(static_cast<std::size_t>(settings.ivConsumptionMax) + 7);
  for (std::uint32_t& output : sequence) output = generator.next();

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
