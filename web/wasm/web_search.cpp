#include "web/wasm/web_search.h"

#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include <new>
#include <optional>
#include <utility>

#include "core/edition.h"
#include "core/kernel_levels.h"
#include "core/kernels.h"
#include "engine/boot_moment_space.h"
#include "engine/result_sink.h"
#include "engine/search_engine.h"
#include "engine/settings_json.h"
#include "engine/settings_validation.h"
#include "engine/settings_warnings.h"
#include "i18n/translate.h"
#include "web/wasm/profile_lines_sink.h"

namespace hanabira {

// The settings of a settings file alone (no config.txt, no profile), as the CLI
// completes them: frame and GxStat from the console kind, the message words from the
// address, and the ranges the search refuses refused.
SearchSettings settingsOfText(const WebSearchRequest& request, std::optional<ResultFormat>& format) {
  try {
    const nlohmann::json object = parseSettingsText(request.settingsJson);
    SettingsFromJson loaded = settingsFromJson(object, SearchSettings{});
    if (const std::optional<Edition>& edition = loaded.settings.edition) {
      if (!object.contains("frame")) loaded.settings.frame = editionFacts(*edition).frame;
      if (!object.contains("gxStat")) loaded.settings.gxStat = editionFacts(*edition).gxStat;
    }
    if (!loaded.messageWordsGiven) applyMacAddress(loaded.settings, loaded.mac.value_or(MacAddress{}));
    format = loaded.resultFormat;
    return loaded.settings;
  } catch (const SettingsFileError& error) {
    throw WebRefusal(webExitInvalidInput, trf("settings file '{}': {}", request.settingsName, error.what()));
  }
}

TextEncoding chosenEncoding(const WebSearchRequest& request, ResultFormat format, ResultLanguage language) {
  if (format != ResultFormat::Txt) {
    if (!request.encoding.empty() && request.encoding != "utf-8") {
      throw WebRefusal(webExitInvalidInput, trf("--format {} writes UTF-8; --encoding {} is for --format txt",
                                                resultFormatName(format), request.encoding));
    }
    return TextEncoding::Utf8;
  }
  if (request.encoding.empty()) return defaultEncoding(language);
  return request.encoding == "utf-8" ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

namespace {

// A sink that drops the file's header line (through its CR LF) and hands the rest on.
class HeaderDroppingSink final : public ResultSink {
 public:
  explicit HeaderDroppingSink(ResultSink& next) : next_(next) {}

  void write(std::string_view bytes) override {
    if (!headerPassed_) {
      header_ += bytes;
      const std::size_t end = header_.find("\r\n");
      if (end == std::string::npos) return;
      headerPassed_ = true;
      bytes = std::string_view(header_).substr(end + 2);
    }
    if (!bytes.empty()) next_.write(bytes);
  }

 private:
  ResultSink& next_;
  std::string header_;
  bool headerPassed_ = false;
};

// The names of the levels of this build, as --isa takes them, narrowest first.
std::string levelList() {
  std::string names = "auto";
  for (auto level = kernelLevels().rbegin(); level != kernelLevels().rend(); ++level)
    names += "," + std::string(level->name);
  return names;
}

}  // namespace

std::optional<Isa> requestedIsa(const std::string& name) {
  if (name == "auto") return std::nullopt;
  const std::optional<Isa> isa = parseIsa(name);
  // The command line's parser refuses a name it does not know in these words.
  if (!isa) throw WebRefusal(webExitInvalidInput, fmt::format("--isa: {} not in {{{}}}", name, levelList()));
  try {
    kernelsFor(*isa);
  } catch (const UnsupportedIsaError& error) {
    throw WebRefusal(webExitInvalidInput, trf("--isa {}: {}", name, error.what()));
  }
  return isa;
}

WebRefusal::WebRefusal(int exitCode, const std::string& message)
    : WebRefusal(exitCode, message, trf("error: {}", message)) {}

WebRefusal::WebRefusal(int exitCode, const std::string& message, std::string errorLine)
    : std::runtime_error(message), exitCode_(exitCode), errorLine_(std::move(errorLine)) {}

WebRefusal WebRefusal::outOfMemory() {
  const std::string line(tr("error: out of memory"));
  return WebRefusal(webExitIoFailure, line, line);
}

WebSearch::WebSearch(const WebSearchRequest& request) {
  std::optional<ResultFormat> format;
  settings_ = settingsOfText(request, format);
  format_ = format.value_or(ResultFormat::Txt);
  prepare(request);
}

WebSearch::WebSearch(const WebSearchRequest& request, SearchSettings settings, ResultFormat format,
                     std::string profileName)
    : settings_(std::move(settings)), format_(format), profileName_(std::move(profileName)) {
  prepare(request);
}

void WebSearch::prepare(const WebSearchRequest& request) {
  encoding_ = chosenEncoding(request, format_, settings_.resultLanguage);
  if (auto problem = findSettingsProblem(settings_)) throw WebRefusal(webExitInvalidInput, describe(*problem));
  for (const SettingsWarning& warning : findSettingsWarnings(settings_)) warnings_.push_back(describe(warning));
  clampPidConsumption(settings_);
  isa_ = requestedIsa(request.isa);
  momentsTotal_ = BootMomentSpace(settings_).size();
}

std::string WebSearch::isaName() const { return std::string(hanabira::isaName(isa_.value_or(bestKernels().isa))); }

WebPiece WebSearch::searchPiece(std::uint64_t first, std::uint64_t end, bool withHeader) const {
  SearchOptions options;
  options.encoding = encoding_;
  options.moments = {first, end};
  options.threads = 1;  // the browser's threads are its workers, each with its own module
  options.isa = isa_;
  StringSink text;
  HeaderDroppingSink headless(text);
  ResultSink& piece = withHeader || !hasHeaderLine(format_) ? static_cast<ResultSink&>(text) : headless;
  std::optional<ConvertingSink> converting;
  if (format_ != ResultFormat::Txt) converting.emplace(piece, format_);
  ResultSink& lines = converting ? static_cast<ResultSink&>(*converting) : piece;
  // Every piece's header is led by the profile column, so that the converter knows it.
  std::optional<ProfileLinesSink> profileLines;
  if (!profileName_.empty()) profileLines.emplace(lines, profileName_, settings_.resultLanguage, encoding_);
  try {
    const SearchSummary summary =
        runSearch(settings_, profileLines ? static_cast<ResultSink&>(*profileLines) : lines, options);
    return {text.text(), summary.candidates, summary.momentsDone, std::string(planName(summary.plan))};
  } catch (const std::invalid_argument& error) {
    throw WebRefusal(webExitInvalidInput, error.what());
  } catch (const ResultWriteError& error) {
    throw WebRefusal(webExitIoFailure, error.what());
  } catch (const std::bad_alloc&) {
    throw WebRefusal::outOfMemory();
  }
}

}  // namespace hanabira
