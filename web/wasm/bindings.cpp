// What the browser's module offers JavaScript (web/engine/ uses it): one search at a
// time per instance, opened from a settings text and searched piece by piece, and what
// the module can do. Failures come back as objects, never as exceptions, so JavaScript
// reads every outcome alike: {ok: false, exitCode, message, errorLine}.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <memory>
#include <string>

#include "core/kernel_levels.h"
#include "core/version.h"
#include "engine/moment_range.h"
#include "i18n/translate.h"
#include "i18n/ui_language.h"
#include "web/wasm/js_outcome.h"
#include "web/wasm/web_profile_search.h"
#include "web/wasm/web_search.h"
#include "web/wasm/web_summary.h"

namespace hanabira {
namespace {

using emscripten::val;
using js::reportingRefusals;
using js::stringList;

std::unique_ptr<WebSearch> openedSearch;

// One profile's part of a search over every profile: request's profileIndex of its
// profilesJson (named profilesName).
std::unique_ptr<WebSearch> openProfilePart(const WebSearchRequest& searchRequest, const val& request) {
  const WebProfileSearch whole(
      {searchRequest, request["profilesJson"].as<std::string>(), request["profilesName"].as<std::string>()});
  return whole.openPart(searchRequest, request["profileIndex"].as<unsigned>());
}

// request: {settingsJson, settingsName, encoding ('' for the result language's), isa}, and
// for one profile's part of a search over every profile {profilesJson, profilesName,
// profileIndex}.
val openSearch(val request) {
  return reportingRefusals([&] {
    openedSearch.reset();
    const WebSearchRequest searchRequest = js::searchRequest(request);
    openedSearch = request["profilesJson"].isUndefined() ? std::make_unique<WebSearch>(searchRequest)
                                                         : openProfilePart(searchRequest, request);
    val result = val::object();
    result.set("ok", true);
    result.set("momentsTotal", static_cast<double>(openedSearch->momentsTotal()));
    result.set("warnings", stringList(openedSearch->warnings()));
    result.set("isa", openedSearch->isaName());
    result.set("format", std::string(resultFormatName(openedSearch->format())));
    return result;
  });
}

// Moments [first, end) of the opened search: {ok, bytes (Uint8Array), candidates, momentsDone}.
val searchPiece(double first, double end, bool withHeader) {
  return reportingRefusals([&] {
    const WebPiece piece =
        openedSearch->searchPiece(static_cast<std::uint64_t>(first), static_cast<std::uint64_t>(end), withHeader);
    val result = val::object();
    result.set("ok", true);
    result.set("bytes", js::byteArray(piece.bytes));
    result.set("candidates", static_cast<double>(piece.candidates));
    result.set("momentsDone", static_cast<double>(piece.momentsDone));
    result.set("plan", piece.plan);
    return result;
  });
}

// Piece `index` (1 to `count`) of a search of `moments` moments: [first, end), cut as
// the CLI cuts its shards.
val pieceRange(double moments, unsigned index, unsigned count) {
  const MomentRange range = shardRange(static_cast<std::uint64_t>(moments), index, count);
  val result = val::array();
  result.call<void>("push", static_cast<double>(range.first));
  result.call<void>("push", static_cast<double>(range.end));
  return result;
}

// {levels: the kernel levels, best first, version}.
val describeEngine() {
  std::vector<std::string> levels;
  for (const KernelLevel& level : kernelLevels()) {
    if (level.cpuHasFeatures()) levels.emplace_back(level.name);
  }
  val result = val::object();
  result.set("levels", stringList(levels));
  result.set("version", std::string(programVersion));
  return result;
}

// The language of messages, as the command line chooses it from the locale's variables.
std::string chooseCommandLineLanguage(std::string language, std::string lcAll, std::string lcMessages,
                                      std::string lang) {
  const std::string chosen = commandLineLanguage(
      languagesFromLocaleVariables({std::move(language), std::move(lcAll), std::move(lcMessages), std::move(lang)}),
      catalogLanguages());
  setUiLanguage(chosen);
  return chosen;
}

bool setMessageLanguage(std::string language) { return setUiLanguage(language); }

// summary: {candidates, momentsDone, momentsTotal, seconds, workers, isa, plan, output,
// aborted}: the CLI's last line for such a search.
std::string searchSummaryLine(val summary) {
  const auto count = [&](const char* name) { return static_cast<std::uint64_t>(summary[name].as<double>()); };
  return summaryLine({count("candidates"), count("momentsDone"), count("momentsTotal"), summary["seconds"].as<double>(),
                      summary["workers"].as<unsigned>(), summary["isa"].as<std::string>(),
                      summary["plan"].as<std::string>(), summary["output"].as<std::string>(),
                      summary["aborted"].as<bool>()});
}

// A text of the catalogs in the message language, its {} filled with `arguments` in order.
std::string translate(std::string original, val arguments) {
  std::string text(tr(original));
  std::size_t from = 0;
  for (unsigned index = 0; index < arguments["length"].as<unsigned>(); ++index) {
    const std::size_t slot = text.find("{}", from);
    if (slot == std::string::npos) break;
    const std::string argument = arguments[index].as<std::string>();
    text.replace(slot, 2, argument);
    from = slot + argument.size();
  }
  return text;
}

}  // namespace
}  // namespace hanabira

EMSCRIPTEN_BINDINGS(hanabira) {
  emscripten::function("openSearch", &hanabira::openSearch);
  emscripten::function("searchPiece", &hanabira::searchPiece);
  emscripten::function("pieceRange", &hanabira::pieceRange);
  emscripten::function("describeEngine", &hanabira::describeEngine);
  emscripten::function("chooseCommandLineLanguage", &hanabira::chooseCommandLineLanguage);
  emscripten::function("setMessageLanguage", &hanabira::setMessageLanguage);
  emscripten::function("translate", &hanabira::translate);
  emscripten::function("summaryLine", &hanabira::searchSummaryLine);
}
