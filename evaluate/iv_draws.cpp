#include "evaluate/iv_draws.h"

namespace hanabira {
namespace {

MtOutputWindow windowFor(const SearchSettings& settings) {
  if (settings.ivConsumptionMin > settings.ivConsumptionMax) return MtOutputWindow(0, 0);
  return MtOutputWindow(settings.ivConsumptionMin, settings.ivConsumptionMax + ivDrawLength(settings.roaming) - 1);
}

}  // namespace

IvDraws::IvDraws(const SearchSettings& settings)
    : roaming_(settings.roaming),
      empty_(settings.ivConsumptionMin > settings.ivConsumptionMax),
      firstPosition_(settings.ivConsumptionMin),
      lastPosition_(settings.ivConsumptionMax),
      window_(windowFor(settings)),
      outputs_(static_cast<std::size_t>(window_.size())) {}

}  // namespace hanabira
