#include "evaluate/mode_evaluator.h"

#include "evaluate/comet_shard_search.h"
#include "evaluate/deliveryman_search.h"
#include "evaluate/dome_search.h"
#include "evaluate/inheritance_search.h"
#include "evaluate/iv_search.h"
#include "evaluate/shiny_pid_search.h"

namespace hanabira {

std::unique_ptr<ModeEvaluator> makeModeEvaluator(const SearchSettings& settings, const ResultFormatter& formatter,
                                                 const KernelSet& kernels) {
  switch (formatter.mode()) {
    case SearchMode::IvSearch:
      return std::make_unique<IvSearchEvaluator>(settings, formatter, kernels);
    case SearchMode::ShinyPidSearch:
      return std::make_unique<ShinyPidSearchEvaluator>(settings, formatter, kernels);
    case SearchMode::InheritanceSearch:
      return std::make_unique<InheritanceSearchEvaluator>(settings, formatter, kernels);
    case SearchMode::DeliverymanSearch:
      return std::make_unique<DeliverymanSearchEvaluator>(settings, formatter, kernels);
    case SearchMode::CometShardSearch:
      return std::make_unique<CometShardSearchEvaluator>(settings, formatter, kernels);
    case SearchMode::DomeSearch:
      return std::make_unique<DomeSearchEvaluator>(settings, formatter);
  }
  return nullptr;
}

std::size_t evaluateReference(const SearchSettings& settings, const ResultFormatter& formatter,
                              const SearchCursor& moment, InitialSeed seed, std::string& out) {
  switch (formatter.mode()) {
    case SearchMode::IvSearch:
      return ivSearchReference(settings, formatter, moment, seed, out);
    case SearchMode::ShinyPidSearch:
      return shinyPidSearchReference(settings, formatter, moment, seed, out);
    case SearchMode::InheritanceSearch:
      return inheritanceSearchReference(settings, formatter, moment, seed, out);
    case SearchMode::DeliverymanSearch:
      return deliverymanSearchReference(settings, formatter, moment, seed, out);
    case SearchMode::CometShardSearch:
      return cometShardSearchReference(settings, formatter, moment, seed, out);
    case SearchMode::DomeSearch:
      return domeSearchReference(settings, formatter, moment, seed, out);
  }
  return 0;
}

}  // namespace hanabira
