// The texts in the language chosen: the catalogs compiled in, and a German one added as a
// translator would add a language, through the same build step (tests/data/i18n/de.po).
#include "i18n/translate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "i18n/embedded_catalogs.h"
#include "i18n/ui_language.h"

namespace hanabira {

std::span<const EmbeddedCatalog> fixtureCatalogs();

namespace {

bool hasCatalog(std::string_view language) {
  const std::vector<std::string> languages = catalogLanguages();
  return std::find(languages.begin(), languages.end(), language) != languages.end();
}

class TranslateTest : public ::testing::Test {
 protected:
  void TearDown() override { setUiLanguage("none"); }
};

TEST_F(TranslateTest, JapaneseAndEnglishAreCompiledIn) {
  ASSERT_TRUE(setUiLanguage("ja"));
  EXPECT_EQ(trf("cannot write '{}'", "結果.txt"), "'結果.txt' に書き込めません");
  EXPECT_EQ(tr("--edition needs --console"), "--edition には --console も指定してください");
  ASSERT_TRUE(setUiLanguage("en"));
  EXPECT_EQ(trf("cannot write '{}'", "結果.txt"), "cannot write '結果.txt'");
  // A language without a catalog speaks the code's English.
  EXPECT_FALSE(setUiLanguage("fr"));
  EXPECT_EQ(tr("--edition needs --console"), "--edition needs --console");
}

TEST_F(TranslateTest, AGermanCatalogAddedIsChosenAndSpeaks) {
  for (const EmbeddedCatalog& catalog : fixtureCatalogs()) EXPECT_TRUE(addCatalog(catalog.language, catalog.mo));
  ASSERT_TRUE(hasCatalog("de"));
  const std::vector<std::string> german = languagesFromLocaleVariables({.lang = "de_DE.UTF-8"});
  ASSERT_EQ(windowLanguage(german, catalogLanguages()), "de");
  ASSERT_TRUE(setUiLanguage("de"));

  EXPECT_EQ(trf("cannot write '{}'", "a.txt"), "'a.txt' kann nicht geschrieben werden");
  EXPECT_EQ(trc("button", "Start"), "Starten");
  EXPECT_EQ(trc("date", "Start"), "Beginn");
  EXPECT_EQ(tr("Start"), "Start");
  EXPECT_EQ(trnf("{} result", "{} results", 1, 1), "1 Ergebnis");
  EXPECT_EQ(trnf("{} result", "{} results", 0, 0), "0 Ergebnisse");
  EXPECT_EQ(trf("{} of {}", 2, 5), "5: 2");
  // What German lacks, or has only as a fuzzy guess, or has faulty, stays English.
  EXPECT_EQ(tr("--edition needs --console"), "--edition needs --console");
  EXPECT_EQ(tr("Abort"), "Abort");
  EXPECT_EQ(trf("{} seeds in {:.2f} s", 3, 1.5), "3 seeds in 1.50 s");
}

TEST_F(TranslateTest, DamagedCatalogIsNotAdded) {
  EXPECT_FALSE(addCatalog("xx", "not a catalog, but longer than a header"));
  EXPECT_FALSE(hasCatalog("xx"));
}

}  // namespace
}  // namespace hanabira
