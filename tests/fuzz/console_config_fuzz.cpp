// "config.txt" as any bytes: the loader takes what it can and never reads outside a
// line, names a line of the file when it cannot, and what a save writes loads back as
// the same console parameters (and saves again as the same text).
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/console_config.h"
#include "fuzz_support.h"

namespace {

bool isLineOf(std::string_view file, const std::optional<std::string>& text) {
  return !text || (text->find('\n') == std::string::npos && file.find(*text) != std::string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace hanabira;
  using hanabira::fuzz::require;
  const std::string_view file(reinterpret_cast<const char*>(data), size);

  const ConsoleConfigText text = parseConsoleConfig(file);
  if (text.problem) {
    const std::size_t lines = static_cast<std::size_t>(std::count(file.begin(), file.end(), '\n')) +
                              static_cast<std::size_t>(std::count(file.begin(), file.end(), '\r')) + 1;
    require(text.problem->line >= 1 && text.problem->line <= lines, "a problem names a line of the file");
    const bool notText = text.problem->kind == ConsoleConfigProblem::Kind::NotText ||
                         text.problem->kind == ConsoleConfigProblem::Kind::Utf16;
    require(!notText || (!text.vcount && !text.versionWord), "a file that is not text gives nothing else");
  }
  for (const auto* line : {&text.vcount, &text.timer0, &text.gxStat, &text.frame}) {
    require(isLineOf(file, *line), "a field's text is one line of the file");
  }
  for (const auto& byte : text.macBytes) {
    require(!byte || (byte->size() == 2 && isLineOf(file, byte)), "an address byte is two characters of its line");
  }

  const ConsoleParameters loaded = readConsoleParameters(text);
  const std::string saved = formatConsoleConfig(loaded, text.languages);
  const ConsoleConfigText savedText = parseConsoleConfig(saved);
  require(savedText.vcount && savedText.macBytes[5] && savedText.versionWord, "a saved file has all six lines");
  require(!savedText.problem, "a saved file is read without a problem");
  const ConsoleParameters reloaded = readConsoleParameters(savedText);
  require(reloaded == loaded, "a saved file loads back as the parameters saved");
  require(savedText.languages == text.languages, "a saved file loads back the languages saved");
  require(formatConsoleConfig(reloaded, savedText.languages) == saved, "saving what was loaded writes the same file");
  return 0;
}
