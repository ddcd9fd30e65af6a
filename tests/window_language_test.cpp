// The window's texts in its languages: every title and every text of a control has a
// translation that holds no Japanese, the language menu and its choices, and a language
// added as a catalog alone reaching the window's texts. The other model tests see the
// window as it speaks by default, in Japanese.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/embedded_catalogs.h"
#include "i18n/translate.h"
#include "ui/model/console_dialog.h"
#include "ui/model/control_ids.h"
#include "ui/model/main_window_layout.h"
#include "ui/model/option_dialog_designs.h"
#include "ui/model/window_languages.h"

namespace hanabira {

std::span<const EmbeddedCatalog> windowFixtureCatalogs();

namespace {

class JapaneseWindow : public ::testing::Environment {
 public:
  void SetUp() override { setUiLanguage("ja"); }
};
[[maybe_unused]] const ::testing::Environment* const japaneseWindow =
    ::testing::AddGlobalTestEnvironment(new JapaneseWindow);

// Switches the window's texts to `language` for as long as it lives.
class TextsIn {
 public:
  explicit TextsIn(std::string_view language) { setUiLanguage(language); }
  ~TextsIn() { setUiLanguage("ja"); }
  TextsIn(const TextsIn&) = delete;
  TextsIn& operator=(const TextsIn&) = delete;
};

// Hiragana, katakana, the kanji and the full-width forms all lie from U+3000 on, which
// UTF-8 starts with a byte of 0xE3 or more.
bool hasJapanese(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0xE3 && byte <= 0xEF) return true;
  }
  return false;
}

// Every text the window and its dialogs show from their designs, as written.
std::vector<std::string_view> designTexts() {
  std::vector<std::string_view> texts;
  for (const ControlPlace& place : mainWindowControls) texts.push_back(place.text);
  for (const PaintedLabel& label : mainWindowLabels) texts.push_back(label.text);
  std::vector<const OptionDialogDesign*> designs = {&consoleDialogDesign};
  for (const OptionDialogDesign& design : optionDialogDesigns) designs.push_back(&design);
  for (const OptionDialogDesign* design : designs) {
    texts.push_back(design->title);
    for (const DialogControl& control : design->controls) texts.push_back(control.label);
  }
  return texts;
}

TEST(WindowTexts, EnglishHasNoJapaneseAndJapaneseIsTranslatedThroughout) {
  {
    const TextsIn english("en");
    for (ChoiceList list : {ChoiceList::Natures, ChoiceList::EggNatures, ChoiceList::EggAbilities,
                            ChoiceList::DomeTrainers, ChoiceList::Games, ChoiceList::Languages}) {
      for (std::string_view item : choiceItems(list)) EXPECT_FALSE(hasJapanese(item)) << item;
    }
    for (std::string_view item : hiddenPowerItems()) EXPECT_FALSE(hasJapanese(item)) << item;
    for (std::string_view text : designTexts()) EXPECT_FALSE(hasJapanese(tr(text))) << text;
    EXPECT_FALSE(hasJapanese(mainWindowTitle()));
  }
  // A text the Japanese window shows as written is a symbol, a key or a register's name,
  // not English words a table left unmarked for the catalogs.
  const std::vector<std::string_view> names = {"VCount:0x", "Timer0:0x", "GxStat:0x", "Frame:"};
  for (std::string_view text : designTexts()) {
    if (tr(text) != text || std::find(names.begin(), names.end(), text) != names.end()) continue;
    const bool hasWord =
        std::adjacent_find(text.begin(), text.end(), [](char a, char b) {
          return std::islower(static_cast<unsigned char>(a)) && std::islower(static_cast<unsigned char>(b));
        }) != text.end();
    EXPECT_FALSE(hasWord) << text;
  }
}

TEST(LanguageMenu, NamesEachLanguageInItselfAndChecksTheChoices) {
  const std::vector<Submenu> menu = languageMenu("en", ResultLanguage::Japanese);
  ASSERT_EQ(menu.size(), 2u);
  EXPECT_EQ(menu[0].title, "ウィンドウ");
  // One item for each catalog, the German fixture's too where a test has added it.
  ASSERT_EQ(menu[0].items.size(), catalogLanguages().size());
  const auto item = [&](std::string_view text) {
    const auto found = std::find_if(menu[0].items.begin(), menu[0].items.end(),
                                    [&](const MenuItem& candidate) { return candidate.text == text; });
    return found == menu[0].items.end() ? MenuItem{-1, "", false} : *found;
  };
  EXPECT_TRUE(item("English").checked);
  EXPECT_FALSE(item("日本語").checked);
  ASSERT_EQ(menu[1].items.size(), 2u);
  EXPECT_EQ(menu[1].items[0].text, "日本語");
  EXPECT_TRUE(menu[1].items[0].checked);
  EXPECT_EQ(menu[1].items[1].text, "英語");
  EXPECT_FALSE(menu[1].items[1].checked);

  LanguageChoices choices;
  EXPECT_TRUE(chooseLanguage(item("日本語").command, choices));
  EXPECT_TRUE(chooseLanguage(menu[1].items[1].command, choices));
  EXPECT_EQ(choices, (LanguageChoices{"ja", ResultLanguage::English}));
  for (int other : {0, int{startButton}, int{languageButton}, menu[0].items.back().command + 1}) {
    EXPECT_FALSE(chooseLanguage(other, choices)) << other;
  }
  EXPECT_EQ(choices, (LanguageChoices{"ja", ResultLanguage::English}));

  // A chosen language without a catalog gives way to the system's.
  EXPECT_EQ(startLanguage("en"), "en");
  EXPECT_EQ(startLanguage("xx"), startLanguage(std::nullopt));
}

// German as a translator adds it: a catalog and no code. The window offers it and shows
// its texts, English where it has none.
TEST(WindowTexts, AnAddedLanguageReachesTheWindow) {
  for (const EmbeddedCatalog& catalog : windowFixtureCatalogs()) ASSERT_TRUE(addCatalog(catalog.language, catalog.mo));
  const TextsIn german("de");
  std::vector<std::string> names;
  const std::vector<Submenu> menu = languageMenu("de", ResultLanguage::Japanese);
  for (const MenuItem& item : menu[0].items) names.push_back(item.text);
  EXPECT_EQ(names, (std::vector<std::string>{"Deutsch", "English", "日本語"}));
  for (const ControlPlace& place : mainWindowControls) {
    if (place.id == startButton) {
      EXPECT_EQ(tr(place.text), "Suche starten");
    } else if (place.id == saveButton) {
      EXPECT_EQ(tr(place.text), "Save");
    }
  }
}

}  // namespace
}  // namespace hanabira
