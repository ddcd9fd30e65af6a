#include "evaluate/search_modes.h"

#include <array>

#include "evaluate/comet_shard_search.h"
#include "evaluate/deliveryman_search.h"
#include "evaluate/dome_search.h"
#include "evaluate/inheritance_search.h"
#include "evaluate/iv_search.h"
#include "evaluate/shiny_pid_search.h"

namespace hanabira {
namespace {

void noOptions(const SearchSettings&, SettingsCheck&) {}

using S = SearchSettings;

constexpr std::array<SearchModeDefinition, 6> definitions = {{
    {SearchMode::IvSearch, "iv", "年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed",
     "Year,Month,Day,Hour,Minute,Second,IV position,HP,Atk,Def,SpA,SpD,Spe,Hidden Power,Power,Initial seed", nullptr,
     true, false, noOptions, makeIvSearchEvaluator, ivSearchReference, ivSearchPrefilter},
    {SearchMode::ShinyPidSearch, "shiny",
     "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,めざパ,威力,初期seed,性格値乱数消費,乱数値,性格値",
     "Year,Month,Day,Hour,Minute,Second,IV position,HP,Atk,Def,SpA,SpD,Spe,Hidden Power,Power,Initial seed,"
     "PID position,Random value,PID",
     &S::shinyPidSearch, true, true, checkShinyPidOptions, makeShinyPidSearchEvaluator, shinyPidSearchReference,
     shinyPidSearchPrefilter},
    {SearchMode::InheritanceSearch, "inheritance",
     "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,初期seed,性格値乱数消費,遺伝1,遺伝2,遺伝3,性別,特性",
     "Year,Month,Day,Hour,Minute,Second,IV position,HP,Atk,Def,SpA,SpD,Spe,Initial seed,PID position,"
     "Inherited 1,Inherited 2,Inherited 3,Gender,Ability",
     &S::inheritanceSearch, true, true, checkInheritanceOptions, makeInheritanceSearchEvaluator,
     inheritanceSearchReference, inheritanceSearchPrefilter},
    {SearchMode::DeliverymanSearch, "deliveryman",
     "年,月,日,時,分,秒,性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed",
     "Year,Month,Day,Hour,Minute,Second,PID position,Nature,HP,Atk,Def,SpA,SpD,Spe,Hidden Power,Power,Initial seed",
     &S::deliverymanSearch, false, true, checkDeliverymanOptions, makeDeliverymanSearchEvaluator,
     deliverymanSearchReference, deliverymanSearchPrefilter},
    {SearchMode::CometShardSearch, "comet-shard", "年,月,日,時,分,秒,性格値乱数消費,初期seed",
     "Year,Month,Day,Hour,Minute,Second,PID position,Initial seed", &S::cometShardSearch, false, true, noOptions,
     makeCometShardSearchEvaluator, cometShardSearchReference, cometShardSearchPrefilter},
    {SearchMode::DomeSearch, "dome", "年,月,日,時,分,秒,性格値乱数消費下限,上限,初期seed",
     "Year,Month,Day,Hour,Minute,Second,First PID position,Last PID position,Initial seed", &S::domeSearch, false, true,
     checkDomeOptions, makeDomeSearchEvaluator, domeSearchReference, nullptr},
}};

constexpr bool inEnumOrder() {
  for (std::size_t i = 0; i < definitions.size(); ++i) {
    if (static_cast<std::size_t>(definitions[i].mode) != i) return false;
  }
  return true;
}
static_assert(inEnumOrder(), "definitionOf() indexes the records by SearchMode");

}  // namespace

std::span<const SearchModeDefinition> searchModes() { return definitions; }

const SearchModeDefinition& definitionOf(SearchMode mode) { return definitions[static_cast<std::size_t>(mode)]; }

}  // namespace hanabira
