#include "engine/search_plan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "engine/mt_seed_filter.h"
#include "engine/mt_seed_set.h"
#include "engine/prepared_search.h"

namespace hanabira {
namespace {

constexpr std::array<std::string_view, 2> planNames = {"direct", "two-stage"};

// Measured on one thread of the AVX-512 level (bench/RESULTS.md, "The two-stage plan");
// the other levels differ in speed more than in proportions.
constexpr double seedNs = 7.0;          // SHA-1, the LCG step and the moment's words
constexpr double mtBatchNs = 1.0;       // a seed's share of the rows' and the scan's overhead
constexpr double mtWordNs = 0.038;      // one word of seeding, by the vector kernel
constexpr double mtRowNs = 0.1;         // one output twisted, tempered and stored
constexpr double scanNs = 0.05;         // one range test at one position
constexpr double mtFarSeedNs = 1500.0;  // a seed past the kernel's reach: one block of 624 words
constexpr double memberNs = 0.7;        // the lookup of a moment's MT seed in a small set
constexpr double memberMissNs = 12.0;   // more, per lookup that reaches a bucket of a large set

// One MT seed's rows and scan.
double mtSeedNs(const Prefilter& prefilter) {
  const double scan = scanNs * prefilter.positions * std::max(1, prefilter.filter.testCount());
  const std::int64_t last = prefilter.first + prefilter.rowCount - 1;
  if (last <= mtKernelLastPosition) {
    return mtBatchNs + mtWordNs * static_cast<double>(last + 398) + mtRowNs * prefilter.rowCount + scan;
  }
  return mtFarSeedNs * static_cast<double>(last / 624 + 2) + scan;
}

// The lookup of a moment's MT seed among `members` seeds: most lookups of a small set end
// at its bitmap of buckets; in a large one they search a bucket.
double lookupNs(double members) {
  const double bucketsHit = 1 - std::exp(-members / MtSeedSet::bucketCount);
  return memberNs + bucketsHit * memberMissNs * std::log2(2 + members / MtSeedSet::bucketCount);
}

// Enough seeds to tell a pass rate of a few in a thousand, which decides whether the set
// fits, within a few per cent.
constexpr std::uint64_t passRateSamples = 1 << 16;

}  // namespace

std::string_view planName(SearchPlan plan) { return planNames[static_cast<std::size_t>(plan)]; }

std::optional<SearchPlan> parsePlan(std::string_view name) {
  for (std::size_t i = 0; i < planNames.size(); ++i) {
    if (planNames[i] == name) return static_cast<SearchPlan>(i);
  }
  return std::nullopt;
}

std::optional<Prefilter> stageOnePrefilter(const PreparedSearch& search) {
  if (!search.mode.readsIndividualValues || search.mode.prefilter == nullptr) return std::nullopt;
  std::optional<Prefilter> prefilter = search.mode.prefilter(search.settings);
  if (!prefilter || prefilter->sequence != RandomSequence::Individual || prefilter->findsNothing()) return std::nullopt;
  return prefilter;
}

PlanCosts estimatePlanCosts(std::uint64_t moments, std::uint64_t mtSeeds, const Prefilter& prefilter, double passRate) {
  const double mt = mtSeedNs(prefilter);
  const auto n = static_cast<double>(moments);
  const double members = passRate * static_cast<double>(mtSeeds);
  return {n * (seedNs + mt), static_cast<double>(mtSeeds) * mt, n * (seedNs + lookupNs(members) + passRate * mt)};
}

double samplePassRate(const Prefilter& prefilter, const KernelSet& kernels, const MtSeedSpace& space) {
  if (space.size() == 0) return 0;
  // One seed from each of as many equal parts of the space, at a scrambled place in it.
  const std::uint64_t samples = std::min(space.size(), passRateSamples);
  const std::uint64_t part = space.size() / samples;
  std::vector<std::uint32_t> seeds(static_cast<std::size_t>(samples));
  for (std::size_t i = 0; i < seeds.size(); ++i) {
    const std::uint64_t scrambled = (i * 0x9E3779B97F4A7C15u) >> 32;
    seeds[i] = space.at(i * part + scrambled % part);
  }
  MtSeedFilter filter(prefilter, kernels);
  return static_cast<double>(filter.countPassing(seeds)) / static_cast<double>(samples);
}

PlanChoice choosePlan(const PreparedSearch& search, std::uint64_t moments, const MtSeedSpace& space,
                      std::optional<SearchPlan> requested) {
  if (requested == SearchPlan::Direct) return {};
  const std::optional<Prefilter> prefilter = stageOnePrefilter(search);
  if (!prefilter) return {};
  // Not worth a sample when the two-stage plan loses even with nothing passing.
  const PlanCosts best = estimatePlanCosts(moments, space.size(), *prefilter, 0);
  if (!requested && best.twoStage() >= best.direct) return {};

  const double passRate = samplePassRate(*prefilter, search.kernels, space);
  const double members = passRate * static_cast<double>(space.size());
  if (members > 0.9 * static_cast<double>(MtSeedSet::maxSeeds)) return {};  // a set that would not fit
  const PlanCosts costs = estimatePlanCosts(moments, space.size(), *prefilter, passRate);
  if (!requested && costs.twoStage() >= costs.direct) return {};
  return {SearchPlan::TwoStage, costs.stageOne / costs.twoStage()};
}

}  // namespace hanabira
