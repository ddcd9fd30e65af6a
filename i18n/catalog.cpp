#include "i18n/catalog.h"

#include <algorithm>

namespace hanabira {
namespace {

constexpr std::uint32_t moMagic = 0x950412de;
constexpr std::size_t moHeaderSize = 28;
constexpr std::uint32_t highestMajorRevision = 1;
constexpr char contextSeparator = '\x04';

// The file's 32-bit words, in the byte order of the machine that wrote it, which its
// magic number shows.
class MoReader {
 public:
  static std::optional<MoReader> of(std::string_view bytes) {
    if (bytes.size() < moHeaderSize) return std::nullopt;
    for (const bool bigEndian : {false, true}) {
      const MoReader reader(bytes, bigEndian);
      if (reader.word(0) == moMagic) return reader;
    }
    return std::nullopt;
  }

  // Only at offsets checked to lie inside the bytes.
  std::uint32_t word(std::uint64_t offset) const {
    std::uint32_t value = 0;
    for (std::uint64_t i = 0; i < 4; ++i) {
      value =
          value << 8 | static_cast<unsigned char>(bytes_[static_cast<std::size_t>(offset + (bigEndian_ ? i : 3 - i))]);
    }
    return value;
  }

  bool holdsTable(std::uint64_t offset, std::uint64_t entries) const {
    return offset <= bytes_.size() && entries <= (bytes_.size() - offset) / 8;
  }

  // The text a table entry (length, offset) points to, which msgfmt ends with a NUL.
  std::optional<std::string_view> text(std::uint64_t tableEntry) const {
    const std::uint64_t length = word(tableEntry);
    const std::uint64_t offset = word(tableEntry + 4);
    if (offset + length >= bytes_.size() || bytes_[static_cast<std::size_t>(offset + length)] != '\0')
      return std::nullopt;
    return bytes_.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
  }

 private:
  MoReader(std::string_view bytes, bool bigEndian) : bytes_(bytes), bigEndian_(bigEndian) {}

  std::string_view bytes_;
  bool bigEndian_;
};

std::string_view headerField(std::string_view header, std::string_view name) {
  for (std::size_t start = 0; start < header.size();) {
    const std::size_t end = std::min(header.find('\n', start), header.size());
    const std::string_view line = header.substr(start, end - start);
    if (line.size() > name.size() && line.starts_with(name) && line[name.size()] == ':') {
      const std::string_view value = line.substr(name.size() + 1);
      return value.substr(std::min(value.find_first_not_of(' '), value.size()));
    }
    start = end + 1;
  }
  return {};
}

// "nplurals=2; plural=(n != 1);" as one of the rules; another rule reads as the default.
PluralRule pluralRuleFromHeader(std::string_view pluralForms) {
  std::string compact;
  for (const char c : pluralForms) {
    if (c != ' ' && c != '\t') compact += c;
  }
  const std::size_t start = compact.find("plural=");
  if (start == std::string::npos) return PluralRule::OneAndOthers;
  std::string_view expression = std::string_view(compact).substr(start + 7);
  expression = expression.substr(0, expression.find(';'));
  while (expression.size() >= 2 && expression.front() == '(' && expression.back() == ')') {
    expression = expression.substr(1, expression.size() - 2);
  }
  if (expression == "0") return PluralRule::OneForm;
  if (expression == "n>1") return PluralRule::ZeroOneAndOthers;
  return PluralRule::OneAndOthers;
}

std::size_t pluralForm(PluralRule rule, std::uint64_t n) {
  switch (rule) {
    case PluralRule::OneForm:
      return 0;
    case PluralRule::ZeroOneAndOthers:
      return n > 1 ? 1 : 0;
    case PluralRule::OneAndOthers:
      break;
  }
  return n != 1 ? 1 : 0;
}

std::string contextKey(std::string_view context, std::string_view original) {
  if (context.empty()) return std::string(original);
  std::string key(context);
  key += contextSeparator;
  key += original;
  return key;
}

}  // namespace

std::optional<Catalog> Catalog::fromMo(std::string_view bytes) {
  Catalog catalog;
  catalog.bytes_.assign(bytes.begin(), bytes.end());
  const std::optional<MoReader> reader = MoReader::of({catalog.bytes_.data(), catalog.bytes_.size()});
  if (!reader || reader->word(4) >> 16 > highestMajorRevision) return std::nullopt;
  const std::uint64_t count = reader->word(8);
  const std::uint64_t originals = reader->word(12);
  const std::uint64_t translations = reader->word(16);
  if (!reader->holdsTable(originals, count) || !reader->holdsTable(translations, count)) return std::nullopt;

  catalog.entries_.reserve(static_cast<std::size_t>(count));
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::optional<std::string_view> original = reader->text(originals + 8 * i);
    const std::optional<std::string_view> translation = reader->text(translations + 8 * i);
    if (!original || !translation) return std::nullopt;
    catalog.entries_.push_back({original->substr(0, original->find('\0')), *translation});
  }
  // msgfmt sorts them already; another writer need not.
  std::stable_sort(catalog.entries_.begin(), catalog.entries_.end(),
                   [](const Entry& a, const Entry& b) { return a.key < b.key; });
  catalog.readHeader();
  return catalog;
}

void Catalog::readHeader() {
  const std::string_view header = findKey("").value_or("");
  language_ = headerField(header, "Language");
  pluralRule_ = pluralRuleFromHeader(headerField(header, "Plural-Forms"));
}

std::optional<std::string_view> Catalog::findKey(std::string_view key) const {
  const auto entry = std::lower_bound(entries_.begin(), entries_.end(), key,
                                      [](const Entry& e, std::string_view k) { return e.key < k; });
  if (entry == entries_.end() || entry->key != key) return std::nullopt;
  return entry->translation;
}

std::optional<std::string_view> Catalog::find(std::string_view context, std::string_view original) const {
  if (original.empty()) return std::nullopt;  // the empty original keys the header
  return findKey(contextKey(context, original));
}

std::string_view Catalog::text(std::string_view context, std::string_view original) const {
  const std::optional<std::string_view> translation = find(context, original);
  return translation ? translation->substr(0, translation->find('\0')) : original;
}

std::string_view Catalog::plural(std::string_view context, std::string_view singular, std::string_view pluralText,
                                 std::uint64_t n) const {
  const std::string_view english = n == 1 ? singular : pluralText;
  const std::optional<std::string_view> forms = find(context, singular);
  if (!forms) return english;
  std::string_view rest = *forms;
  for (std::size_t form = pluralForm(pluralRule_, n); form > 0; --form) {
    const std::size_t end = rest.find('\0');
    if (end == std::string_view::npos) return english;  // a translation with fewer forms
    rest.remove_prefix(end + 1);
  }
  return rest.substr(0, rest.find('\0'));
}

}  // namespace hanabira
