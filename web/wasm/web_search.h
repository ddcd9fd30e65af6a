// A search of the browser's module: a settings text read as hanabira-cli reads the file
// of -s, checked and prepared once, then searched in pieces of contiguous boot moments
// that a driver puts together in order. The pieces of one search together are the CLI's
// result file byte for byte: the header comes with the piece that asks for it.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/isa.h"
#include "core/search_settings.h"
#include "evaluate/result_formats.h"
#include "evaluate/result_text.h"

namespace hanabira {

// hanabira-cli's exit codes for the cases a search in the browser meets.
enum WebExitCode : int {
  webExitIoFailure = 1,     // no memory, a result that cannot be written
  webExitInvalidInput = 2,  // bad settings or usage
};

// Why a search cannot run: the message, the line hanabira-cli prints for it ("error:
// MESSAGE" in the user's language) and the exit code it ends with.
class WebRefusal : public std::runtime_error {
 public:
  WebRefusal(int exitCode, const std::string& message);
  static WebRefusal outOfMemory();

  int exitCode() const { return exitCode_; }
  const std::string& errorLine() const { return errorLine_; }

 private:
  WebRefusal(int exitCode, const std::string& message, std::string errorLine);

  int exitCode_;
  std::string errorLine_;
};

struct WebSearchRequest {
  std::string settingsJson;
  std::string settingsName;  // what messages call the settings: the file's name
  std::string encoding;      // "cp932", "utf-8", or empty for the result language's
  std::string isa = "auto";  // a kernel level's name, or auto for the best one
};

struct WebPiece {
  std::string bytes;
  std::uint64_t candidates = 0;
  std::uint64_t momentsDone = 0;
  std::string plan;  // the plan that ran: "direct" or "two-stage"
};

// The settings of a settings text alone (no config.txt, no profile), as hanabira-cli
// completes them, and the result format it names. Throws WebRefusal for a text the CLI
// refuses to read.
SearchSettings settingsOfText(const WebSearchRequest& request, std::optional<ResultFormat>& format);
// The result file's encoding: the request's, else the result language's, as --encoding.
TextEncoding chosenEncoding(const WebSearchRequest& request, ResultFormat format, ResultLanguage language);
// The kernel level of --isa NAME; none for auto. Throws WebRefusal as the CLI refuses it.
std::optional<Isa> requestedIsa(const std::string& name);

class WebSearch {
 public:
  // Throws WebRefusal as hanabira-cli refuses the same settings file.
  explicit WebSearch(const WebSearchRequest& request);
  // One profile's part of a search over profiles: `settings` read over the profile's
  // console, each line led by the profile's name and the header by the profile column.
  WebSearch(const WebSearchRequest& request, SearchSettings settings, ResultFormat format, std::string profileName);

  std::uint64_t momentsTotal() const { return momentsTotal_; }
  // The warnings the CLI prints before its search, each without "warning: ".
  const std::vector<std::string>& warnings() const { return warnings_; }
  ResultFormat format() const { return format_; }
  // The kernel level that runs, as --isa names it.
  std::string isaName() const;

  // Moments [first, end) of the search's numbering; the file's header first when asked.
  // Throws WebRefusal where the CLI's search fails.
  WebPiece searchPiece(std::uint64_t first, std::uint64_t end, bool withHeader) const;

 private:
  // Everything but the settings and format: the encoding, the checks, the level.
  void prepare(const WebSearchRequest& request);

  SearchSettings settings_;
  ResultFormat format_ = ResultFormat::Txt;
  TextEncoding encoding_ = TextEncoding::Cp932;
  std::optional<Isa> isa_;  // none: the best level
  std::uint64_t momentsTotal_ = 0;
  std::vector<std::string> warnings_;
  std::string profileName_;  // empty: lines as they are
};

}  // namespace hanabira
