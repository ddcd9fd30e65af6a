// Catalogs compiled into the program: the bytes msgfmt made of each PO file of a folder,
// which i18n/embed_catalogs.cmake writes into a generated source at build time.
#pragma once

#include <span>
#include <string_view>

namespace hanabira {

struct EmbeddedCatalog {
  std::string_view language;  // the PO file's name: "ja" for ja.po
  std::string_view mo;
};

// The catalogs of i18n/*.po.
std::span<const EmbeddedCatalog> embeddedCatalogs();

}  // namespace hanabira
