// The front ends' language from the locale variables, as the window and the command line
// choose it.
#include "i18n/ui_language.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace hanabira {
namespace {

TEST(UiLanguageTest, LocaleVariablesChooseTheWindowsAndTheCommandLinesLanguage) {
  struct Case {
    LocaleVariables variables;
    std::vector<std::string> wanted;
    std::string window;
    std::string commandLine;
  };
  const std::vector<Case> cases = {
      {{}, {}, "ja", "en"},
      {{.lang = "C"}, {}, "ja", "en"},
      {{.lang = "C.UTF-8"}, {}, "ja", "en"},
      {{.lang = "POSIX"}, {}, "ja", "en"},
      {{.lang = "ja_JP.UTF-8"}, {"ja"}, "ja", "ja"},
      {{.lang = "en_US.UTF-8"}, {"en"}, "en", "en"},
      {{.lang = "de_DE.UTF-8"}, {"de"}, "en", "en"},
      {{.lang = "ja_JP.eucJP@mod"}, {"ja"}, "ja", "ja"},
      // LC_ALL over LC_MESSAGES over LANG; "C" in the first set turns every other off.
      {{.lcAll = "en_GB.UTF-8", .lcMessages = "ja_JP.UTF-8", .lang = "ja_JP.UTF-8"}, {"en"}, "en", "en"},
      {{.lcMessages = "ja_JP.UTF-8", .lang = "en_US.UTF-8"}, {"ja"}, "ja", "ja"},
      {{.lcAll = "C", .lang = "ja_JP.UTF-8"}, {}, "ja", "en"},
      // LANGUAGE's list comes first, its first language with a catalog wins; unless the
      // locale names no language.
      {{.language = "fr:ja:en", .lang = "en_US.UTF-8"}, {"fr", "ja", "en"}, "ja", "ja"},
      {{.language = "de_AT:fr", .lang = "ja_JP.UTF-8"}, {"de", "fr"}, "en", "en"},
      {{.language = "ja"}, {}, "ja", "en"},
      {{.language = "en", .lcAll = "C"}, {}, "ja", "en"},
      {{.language = "::", .lang = "en_US.UTF-8"}, {"en"}, "en", "en"},
  };
  const std::vector<std::string> available = {"en", "ja"};
  for (const Case& c : cases) {
    const LocaleVariables& v = c.variables;
    SCOPED_TRACE("LANGUAGE=" + v.language + " LC_ALL=" + v.lcAll + " LC_MESSAGES=" + v.lcMessages + " LANG=" + v.lang);
    const std::vector<std::string> wanted = languagesFromLocaleVariables(v);
    EXPECT_EQ(wanted, c.wanted);
    EXPECT_EQ(windowLanguage(wanted, available), c.window);
    EXPECT_EQ(commandLineLanguage(wanted, available), c.commandLine);
  }
  // A language added as a catalog is chosen where it is wanted.
  EXPECT_EQ(windowLanguage({"de"}, {"de", "en", "ja"}), "de");
  EXPECT_EQ(commandLineLanguage({"fr", "de"}, {"de", "en", "ja"}), "de");
}

#ifndef _WIN32
TEST(UiLanguageTest, ReadsTheEnvironmentsVariables) {
  const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
  std::vector<std::pair<const char*, std::optional<std::string>>> saved;
  for (const char* name : names) {
    const char* value = std::getenv(name);
    saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
  }
  setenv("LANGUAGE", "fr:de", 1);
  unsetenv("LC_ALL");
  setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
  setenv("LANG", "C", 1);
  EXPECT_EQ(uiLanguageFromEnvironment(), (std::vector<std::string>{"fr", "de"}));
  setenv("LC_MESSAGES", "C", 1);
  EXPECT_EQ(uiLanguageFromEnvironment(), std::vector<std::string>{});
  for (const auto& [name, value] : saved) value ? setenv(name, value->c_str(), 1) : unsetenv(name);
}
#endif

}  // namespace
}  // namespace hanabira
