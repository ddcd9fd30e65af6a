// The model's texts (UTF-8) and control ids as Qt strings. Every control carries its id
// as its object name in decimal ("1003"), so that code and tests find it with
// findChild<...>("1003").
#pragma once

#include <QString>

#include <string_view>

namespace hanabira {

inline QString toQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline QString controlName(int id) { return QString::number(id); }

}  // namespace hanabira
