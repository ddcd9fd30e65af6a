#include "i18n/translate.h"

#include <atomic>
#include <deque>
#include <map>
#include <mutex>

#include "i18n/catalog.h"
#include "i18n/embedded_catalogs.h"

namespace hanabira {
namespace {

// Every catalog ever read stays where it is until the program ends, so that the texts
// handed out and the current catalog never dangle; a catalog added for a language only
// hides the one before it.
class Catalogs {
 public:
  Catalogs() {
    for (const EmbeddedCatalog& embedded : embeddedCatalogs()) add(embedded.language, embedded.mo);
  }

  bool add(std::string_view language, std::string_view mo) {
    std::optional<Catalog> catalog = Catalog::fromMo(mo);
    if (!catalog) return false;
    const std::scoped_lock lock(mutex_);
    byLanguage_.insert_or_assign(std::string(language), &kept_.emplace_back(std::move(*catalog)));
    return true;
  }

  const Catalog* find(std::string_view language) const {
    const std::scoped_lock lock(mutex_);
    const auto found = byLanguage_.find(language);
    return found == byLanguage_.end() ? nullptr : found->second;
  }

  std::vector<std::string> languages() const {
    const std::scoped_lock lock(mutex_);
    std::vector<std::string> languages;
    for (const auto& [language, catalog] : byLanguage_) languages.push_back(language);
    return languages;
  }

 private:
  mutable std::mutex mutex_;
  std::deque<Catalog> kept_;
  std::map<std::string, const Catalog*, std::less<>> byLanguage_;
};

Catalogs& catalogs() {
  static Catalogs instance;
  return instance;
}

std::atomic<const Catalog*> current{nullptr};

}  // namespace

std::vector<std::string> catalogLanguages() { return catalogs().languages(); }

bool addCatalog(std::string_view language, std::string_view mo) { return catalogs().add(language, mo); }

bool setUiLanguage(std::string_view language) {
  const Catalog* catalog = catalogs().find(language);
  current.store(catalog);
  return catalog != nullptr;
}

std::string_view uiLanguage() {
  const Catalog* catalog = current.load();
  return catalog ? catalog->language() : std::string_view();
}

std::string_view tr(std::string_view original) { return trc({}, original); }

// The empty original is the catalog's header: it stays empty.
std::string_view trc(std::string_view context, std::string_view original) {
  const Catalog* catalog = current.load();
  return catalog && !original.empty() ? catalog->text(context, original) : original;
}

std::string_view trn(std::string_view singular, std::string_view plural, std::uint64_t n) {
  const Catalog* catalog = current.load();
  if (!catalog) return n == 1 ? singular : plural;
  return catalog->plural({}, singular, plural, n);
}

namespace i18n_detail {

std::string format(std::string_view translation, fmt::string_view original, fmt::format_args args) {
  try {
    return fmt::vformat(fmt::string_view(translation.data(), translation.size()), args);
  } catch (const fmt::format_error&) {
    return fmt::vformat(original, args);
  }
}

}  // namespace i18n_detail
}  // namespace hanabira
