// CP932 through the Windows API: both directions pass through UTF-16, and a character
// without a counterpart fails the conversion instead of becoming a default character.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "vocab/cp932.h"

namespace hanabira {
namespace {

constexpr UINT cp932 = 932;

std::wstring toWide(std::string_view text, UINT codePage) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int wideLength = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
  if (wideLength == 0) throw std::runtime_error("text cannot be converted: " + std::string(text));
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), wideLength);
  return wide;
}

std::string fromWide(const std::wstring& wide, UINT codePage, std::string_view original) {
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  // CP_UTF8 takes WC_ERR_INVALID_CHARS; other code pages report a default character
  // that was used.
  const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
  const int size = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, usedDefaultOut);
  if (size == 0 || usedDefault) throw std::runtime_error("text cannot be converted: " + std::string(original));
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), length, out.data(), size, nullptr, nullptr);
  return out;
}

}  // namespace

std::string utf8ToCp932(std::string_view utf8) { return fromWide(toWide(utf8, CP_UTF8), cp932, utf8); }

std::string cp932ToUtf8(std::string_view cp932Text) { return fromWide(toWide(cp932Text, cp932), CP_UTF8, cp932Text); }

}  // namespace hanabira
