// The program's texts in the language its user reads. The code writes each text in English,
// in a call that gettext's tools find (scripts/check-catalogs):
//   tr("Search")                                a text
//   trc("button", "Start")                      a text in a context, where one English text
//                                               needs two translations
//   trn("one file", "{} files", n)              a text with plural forms, chosen by a count
//   trf("cannot write '{}'", path)              a text with fields, as fmt::format fills them
//   trnf("{} result", "{} results", n, n)       both
//   trNoop("Save")                              a text kept in a table and shown later
//                                               through tr(), which the tools find here
// Texts come from the catalog of the language set last; before that, and wherever that
// catalog lacks a text, they are the English originals. Inside a QObject, write
// hanabira::tr: QObject::tr hides it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <fmt/format.h>

namespace hanabira {

// Languages are named as the catalogs' files are: ISO 639 codes ("ja", "en", "de").
// Those of the catalogs compiled in (i18n/*.po) and added, sorted.
std::vector<std::string> catalogLanguages();
// A further catalog from the bytes of an MO file; it replaces one of the same language,
// and takes effect at the next setUiLanguage. False where the bytes are no catalog.
bool addCatalog(std::string_view language, std::string_view mo);
// The texts come in this language from now on, from any thread; false, and the English
// originals, where no catalog has it.
bool setUiLanguage(std::string_view language);

// The language of the texts now ("ja"); empty while they are the English originals.
std::string_view uiLanguage();

// The returned texts live as long as the program, or as the original passed in. An
// empty original stays empty.
std::string_view tr(std::string_view original);
std::string_view trc(std::string_view context, std::string_view original);
std::string_view trn(std::string_view singular, std::string_view plural, std::uint64_t n);

// Marks a text for the catalogs where it is written into a table; its user shows it
// through tr().
constexpr std::string_view trNoop(std::string_view original) { return original; }

namespace i18n_detail {
// The translation with the arguments, or, where a translation's fields do not fit them,
// the original's (which the compiler has checked).
std::string format(std::string_view translation, fmt::string_view original, fmt::format_args args);
}  // namespace i18n_detail

template <typename... Args>
std::string trf(fmt::format_string<Args...> original, Args&&... args) {
  const fmt::string_view text = original;
  return i18n_detail::format(tr({text.data(), text.size()}), text, fmt::make_format_args(args...));
}

template <typename... Args>
std::string trnf(fmt::format_string<Args...> singular, fmt::format_string<Args...> plural, std::uint64_t n,
                 Args&&... args) {
  const fmt::string_view one = singular;
  const fmt::string_view many = plural;
  return i18n_detail::format(trn({one.data(), one.size()}, {many.data(), many.size()}, n), n == 1 ? one : many,
                             fmt::make_format_args(args...));
}

}  // namespace hanabira
