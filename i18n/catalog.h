// One language's texts, read from the bytes of a GNU MO file (what msgfmt writes from a
// PO file): the English original of each text, with its context where it has one, and its
// translation, in UTF-8. A text the catalog lacks comes back as the original.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hanabira {

// How a language chooses among the plural forms of a text by the count n: the rules of the
// games' languages, as their PO files' Plural-Forms header writes them.
enum class PluralRule {
  OneForm,          // "plural=0": Japanese, Korean
  OneAndOthers,     // "plural=(n != 1)": English, German, Spanish, Italian (and the default)
  ZeroOneAndOthers  // "plural=(n > 1)": French
};

class Catalog {
 public:
  // Nullopt where the bytes are not an MO file of either byte order, or where a table or
  // a text lies outside them or lacks its terminating NUL.
  static std::optional<Catalog> fromMo(std::string_view bytes);

  Catalog(Catalog&&) = default;
  Catalog& operator=(Catalog&&) = default;

  // The translation, or nullopt where the catalog has none. The context is empty for a
  // text without one.
  std::optional<std::string_view> find(std::string_view context, std::string_view original) const;
  std::string_view text(std::string_view context, std::string_view original) const;
  // The form of a text with a plural that suits the count n; without a translation, the
  // English singular for 1 and the plural otherwise.
  std::string_view plural(std::string_view context, std::string_view singular, std::string_view pluralText,
                          std::uint64_t n) const;

  PluralRule pluralRule() const { return pluralRule_; }
  // The header's "Language:" field ("ja"); empty where it has none.
  std::string_view language() const { return language_; }
  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::string_view key;          // the original, up to its first NUL ("context\x04original" with one)
    std::string_view translation;  // the forms of a plural text, separated by NULs
  };

  Catalog() = default;
  std::optional<std::string_view> findKey(std::string_view key) const;
  void readHeader();

  std::vector<char> bytes_;     // the entries point into it; a move keeps its buffer
  std::vector<Entry> entries_;  // sorted by key
  PluralRule pluralRule_ = PluralRule::OneAndOthers;
  std::string language_;
};

}  // namespace hanabira
