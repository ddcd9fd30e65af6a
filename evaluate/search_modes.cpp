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
    {.mode = SearchMode::IvSearch,
     .name = "iv",
     .columns = "年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed",
     .englishColumns =
         "Year,Month,Day,Hour,Minute,Second,IV position,HP,Atk,Def,SpA,SpD,Spe,Hidden Power,Power,Initial seed",
     .readsIndividualValues = true,
     .warnings = {.ivBounds = true},
     .checkOptions = noOptions,
     .makeEvaluator = makeIvSearchEvaluator,
     .evaluateReference = ivSearchReference,
     .prefilter = ivSearchPrefilter},
    {.mode = SearchMode::ShinyPidSearch,
     .name = "shiny",
     .settingsKey = "shinyPidSearch",
     .flag = &S::shinyPidSearch,
     .columns = "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,めざパ,威力,初期seed,性格値乱数消費,乱数値,性格値",
     .englishColumns = "Year,Month,Day,Hour,Minute,Second,IV position,HP,Atk,Def,SpA,SpD,Spe,Hidden Power,Power,"
                       "Initial seed,PID position,Random value,PID",
     .readsIndividualValues = true,
     .readsPersonalityValues = true,
     .warnings = {.ivBounds = true, .stationaryIdCorrection = true},
     .checkOptions = checkShinyPidOptions,
     .makeEvaluator = makeShinyPidSearchEvaluator,
     .evaluateReference = shinyPidSearchReference,
     .prefilter = shinyPidSearchPrefilter},
    {.mode = SearchMode::InheritanceSearch,
     .name = "inheritance",
     .settingsKey = "inheritanceSearch",
     .flag = &S::inheritanceSearch,
     .columns = "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,初期seed,性格値乱数消費,遺伝1,遺伝2,遺伝3,性別,特性",
     .englishColumns = "Year,Month,Day,Hour,Minute,Second,IV position,HP,Atk,Def,SpA,SpD,Spe,Initial seed,"
                       "PID position,Inherited 1,Inherited 2,Inherited 3,Gender,Ability",
     .readsIndividualValues = true,
     .readsPersonalityValues = true,
     .warnings = {.ivBounds = true},
     .shinyTest = &S::shinyPidSearch,  // its nature option also says whether an everstone is held
     .checkOptions = checkInheritanceOptions,
     .makeEvaluator = makeInheritanceSearchEvaluator,
     .evaluateReference = inheritanceSearchReference,
     .prefilter = inheritanceSearchPrefilter},
    {.mode = SearchMode::DeliverymanSearch,
     .name = "deliveryman",
     .settingsKey = "deliverymanSearch",
     .flag = &S::deliverymanSearch,
     .columns = "年,月,日,時,分,秒,性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed",
     .englishColumns = "Year,Month,Day,Hour,Minute,Second,PID position,Nature,HP,Atk,Def,SpA,SpD,Spe,Hidden Power,"
                       "Power,Initial seed",
     .readsPersonalityValues = true,
     .readsAhead = &S::deliveryNaturePosition,
     .warnings = {.ivBounds = true, .firstGamesRules = true},
     .natureTest = &S::deliveryNature,
     .shinyTest = &S::deliveryShiny,
     .checkOptions = checkDeliverymanOptions,
     .makeEvaluator = makeDeliverymanSearchEvaluator,
     .evaluateReference = deliverymanSearchReference,
     .prefilter = deliverymanSearchPrefilter},
    {.mode = SearchMode::CometShardSearch,
     .name = "comet-shard",
     .settingsKey = "cometShardSearch",
     .flag = &S::cometShardSearch,
     .columns = "年,月,日,時,分,秒,性格値乱数消費,初期seed",
     .englishColumns = "Year,Month,Day,Hour,Minute,Second,PID position,Initial seed",
     .readsPersonalityValues = true,
     .warnings = {.firstGamesRules = true},
     .checkOptions = noOptions,
     .makeEvaluator = makeCometShardSearchEvaluator,
     .evaluateReference = cometShardSearchReference,
     .prefilter = cometShardSearchPrefilter},
    {.mode = SearchMode::DomeSearch,
     .name = "dome",
     .settingsKey = "domeSearch",
     .flag = &S::domeSearch,
     .columns = "年,月,日,時,分,秒,性格値乱数消費下限,上限,初期seed",
     .englishColumns = "Year,Month,Day,Hour,Minute,Second,First PID position,Last PID position,Initial seed",
     .readsPersonalityValues = true,
     .warnings = {.firstGamesRules = true},
     .checkOptions = checkDomeOptions,
     .makeEvaluator = makeDomeSearchEvaluator,
     .evaluateReference = domeSearchReference,
     .prefilter = nullptr},
}};

constexpr bool inEnumOrder() {
  for (std::size_t i = 0; i < definitions.size(); ++i) {
    if (static_cast<std::size_t>(definitions[i].mode) != i) return false;
  }
  return true;
}
static_assert(inEnumOrder(), "definitionOf() indexes the records by SearchMode");

// Only the first row runs without being asked for; every other has its flag and key.
constexpr bool flagsWhereNeeded() {
  for (std::size_t i = 0; i < definitions.size(); ++i) {
    if ((definitions[i].flag == nullptr) != (i == 0) || definitions[i].settingsKey.empty() != (i == 0)) return false;
  }
  return true;
}
static_assert(flagsWhereNeeded(), "every mode but the first is asked for by its flag");

}  // namespace

std::span<const SearchModeDefinition> searchModes() { return definitions; }

const SearchModeDefinition& definitionOf(SearchMode mode) { return definitions[static_cast<std::size_t>(mode)]; }

const SearchModeDefinition& selectedMode(const SearchSettings& settings) {
  for (std::size_t i = definitions.size() - 1; i > 0; --i) {
    if (settings.*definitions[i].flag) return definitions[i];
  }
  return definitions[0];
}

}  // namespace hanabira
