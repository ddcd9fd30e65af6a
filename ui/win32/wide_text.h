// The model's texts are UTF-8; the Windows API's are UTF-16.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace hanabira {

std::wstring wideFromUtf8(std::string_view utf8);
std::string utf8FromWide(std::wstring_view wide);

// A window's text (an edit field's, a caption's) as UTF-8.
std::string windowText(HWND window);

}  // namespace hanabira
