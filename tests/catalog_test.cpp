// Catalogs from MO files: both byte orders, contexts, plural forms, texts a catalog lacks,
// and damaged files, which must be refused without reading outside their bytes.
#include "i18n/catalog.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace hanabira {
namespace {

struct MoText {
  std::string original;  // "context\x04original", "singular\0plural"
  std::string translation;
};

void putWord(std::string& bytes, std::uint32_t word, bool bigEndian) {
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(word >> (bigEndian ? 24 - 8 * i : 8 * i) & 0xff);
}

// An MO file as msgfmt lays one out: the header, the table of originals, the table of
// translations, then the texts, each ended by a NUL.
std::string moFile(const std::vector<MoText>& texts, bool bigEndian = false) {
  const auto count = static_cast<std::uint32_t>(texts.size());
  const std::uint32_t textsStart = 28 + 16 * count;
  std::string bytes;
  for (const std::uint32_t word : {0x950412deu, 0u, count, 28u, 28 + 8 * count, 0u, 0u}) {
    putWord(bytes, word, bigEndian);
  }
  std::string strings;
  for (const auto member : {&MoText::original, &MoText::translation}) {
    for (const MoText& text : texts) {
      putWord(bytes, static_cast<std::uint32_t>((text.*member).size()), bigEndian);
      putWord(bytes, textsStart + static_cast<std::uint32_t>(strings.size()), bigEndian);
      strings += text.*member;
      strings += '\0';
    }
  }
  return bytes + strings;
}

std::string header(std::string_view pluralForms) {
  return "Language: fr\nPlural-Forms: " + std::string(pluralForms) + "\n";
}

std::string pluralKey(std::string_view context) {
  return std::string(context) + std::string("{} result\0{} results", 20);
}

TEST(CatalogTest, ReadsTextsInEitherByteOrder) {
  for (const bool bigEndian : {false, true}) {
    const std::string bytes = moFile({{"", header("nplurals=2; plural=(n > 1);")}, {"Search", "Chercher"}}, bigEndian);
    const std::optional<Catalog> catalog = Catalog::fromMo(bytes);
    ASSERT_TRUE(catalog) << "big-endian " << bigEndian;
    EXPECT_EQ(catalog->language(), "fr");
    EXPECT_EQ(catalog->pluralRule(), PluralRule::ZeroOneAndOthers);
    EXPECT_EQ(catalog->text("", "Search"), "Chercher");
  }
}

TEST(CatalogTest, ContextsKeepOneOriginalApartAndMissingTextsFallBack) {
  // Given out of order: another writer than msgfmt need not sort.
  const std::optional<Catalog> catalog =
      Catalog::fromMo(moFile({{"date\x04Start", "Début"}, {"button\x04Start", "Démarrer"}, {"Abort", "Interrompre"}}));
  ASSERT_TRUE(catalog);
  EXPECT_EQ(catalog->text("button", "Start"), "Démarrer");
  EXPECT_EQ(catalog->text("date", "Start"), "Début");
  EXPECT_EQ(catalog->text("", "Start"), "Start");
  EXPECT_EQ(catalog->text("time", "Start"), "Start");
  EXPECT_EQ(catalog->text("", "Abort"), "Interrompre");
  EXPECT_FALSE(catalog->find("", ""));  // the header is no text
  EXPECT_EQ(catalog->plural("", "{} file", "{} files", 1), "{} file");
  EXPECT_EQ(catalog->plural("", "{} file", "{} files", 2), "{} files");
}

TEST(CatalogTest, PluralFormsFollowTheHeadersRule) {
  struct Case {
    std::string pluralForms;
    std::uint64_t n;
    std::string_view form;
  };
  const std::vector<Case> cases = {
      {"nplurals=2; plural=(n > 1);", 0, "un"},  {"nplurals=2; plural=(n > 1);", 1, "un"},
      {"nplurals=2; plural=(n > 1);", 2, "des"}, {"nplurals=2; plural=(n != 1);", 0, "des"},
      {"nplurals=2; plural=n != 1;", 1, "un"},   {"nplurals=1; plural=0;", 5, "un"},
  };
  for (const Case& c : cases) {
    const std::optional<Catalog> catalog =
        Catalog::fromMo(moFile({{"", header(c.pluralForms)}, {pluralKey(""), std::string("un\0des", 6)}}));
    ASSERT_TRUE(catalog);
    EXPECT_EQ(catalog->plural("", "{} result", "{} results", c.n), c.form) << c.pluralForms << " n=" << c.n;
    EXPECT_EQ(catalog->text("", "{} result"), "un");
  }
  // A translation with fewer forms than the rule asks for gives the English one.
  const std::optional<Catalog> oneForm = Catalog::fromMo(moFile({{pluralKey("ctx\x04"), "un"}}));
  ASSERT_TRUE(oneForm);
  EXPECT_EQ(oneForm->plural("ctx", "{} result", "{} results", 1), "un");
  EXPECT_EQ(oneForm->plural("ctx", "{} result", "{} results", 2), "{} results");
}

void setWord(std::string& bytes, std::size_t offset, std::uint32_t word) {
  std::string encoded;
  putWord(encoded, word, false);
  bytes.replace(offset, 4, encoded);
}

TEST(CatalogTest, DamagedFilesAreRefused) {
  const std::string valid = moFile({{"Abort", "Interrompre"}, {"Search", "Chercher"}});
  ASSERT_TRUE(Catalog::fromMo(valid));
  // Words of the header: 8 count, 12 and 16 the tables; the originals' table starts at 28
  // with the first text's length, then its offset.
  const std::vector<std::pair<std::string, std::function<void(std::string&)>>> damages = {
      {"empty", [](std::string& b) { b.clear(); }},
      {"shorter than the header", [](std::string& b) { b.resize(27); }},
      {"cut inside the texts", [](std::string& b) { b.resize(b.size() - 3); }},
      {"no magic number", [](std::string& b) { b[0] = 'x'; }},
      {"a later major revision", [](std::string& b) { setWord(b, 4, 0x20000); }},
      {"more texts than the tables hold", [](std::string& b) { setWord(b, 8, 0xffffffff); }},
      {"a table past the end", [](std::string& b) { setWord(b, 12, 0xfffffff0); }},
      {"a table running past the end",
       [](std::string& b) { setWord(b, 16, static_cast<std::uint32_t>(b.size() - 8)); }},
      {"a text past the end", [](std::string& b) { setWord(b, 32, 0xffffffff); }},
      {"a text running past the end", [](std::string& b) { setWord(b, 28, 0xfffffff0); }},
      {"a text without its NUL", [](std::string& b) { setWord(b, 28, 6); }},
  };
  for (const auto& [damage, apply] : damages) {
    std::string bytes = valid;
    apply(bytes);
    EXPECT_FALSE(Catalog::fromMo(bytes)) << damage;
  }
}

}  // namespace
}  // namespace hanabira
