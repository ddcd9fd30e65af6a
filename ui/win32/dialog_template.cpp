#include "ui/win32/dialog_template.h"

namespace hanabira {

DialogTemplate::DialogTemplate(const std::wstring& title, int width, int height, const std::wstring& fontFace,
                               int fontPoints) {
  add(WORD{1});       // dlgVer
  add(WORD{0xFFFF});  // signature: the extended template
  add(DWORD{0});      // helpID
  add(DWORD{0});      // exStyle
  add(DWORD{DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU});
  countAt_ = words_.size();
  add(WORD{0});  // cDlgItems, counted by addControl
  for (const int value : {0, 0, width, height}) add(static_cast<WORD>(value));
  add(WORD{0});  // no menu
  add(WORD{0});  // the system's dialog class
  add(title);
  add(static_cast<WORD>(fontPoints));
  add(WORD{FW_NORMAL});
  add(WORD{MAKEWORD(FALSE, DEFAULT_CHARSET)});  // italic, charset
  add(fontFace);
}

void DialogTemplate::addControl(WORD windowClass, DWORD id, DWORD style, DWORD exStyle, const std::wstring& text, int x,
                                int y, int width, int height) {
  addItemHeader(id, style, exStyle, x, y, width, height);
  add(WORD{0xFFFF});
  add(windowClass);
  add(text);
  add(WORD{0});  // no creation data
  ++words_[countAt_];
}

void DialogTemplate::addControl(const std::wstring& windowClass, DWORD id, DWORD style, DWORD exStyle,
                                const std::wstring& text, int x, int y, int width, int height) {
  addItemHeader(id, style, exStyle, x, y, width, height);
  add(windowClass);
  add(text);
  add(WORD{0});  // no creation data
  ++words_[countAt_];
}

void DialogTemplate::addItemHeader(DWORD id, DWORD style, DWORD exStyle, int x, int y, int width, int height) {
  alignToDword();
  add(DWORD{0});  // helpID
  add(exStyle);
  add(style | WS_CHILD | WS_VISIBLE);
  for (const int value : {x, y, width, height}) add(static_cast<WORD>(value));
  add(id);
}

void DialogTemplate::add(DWORD value) {
  add(LOWORD(value));
  add(HIWORD(value));
}

void DialogTemplate::add(const std::wstring& text) {
  for (const wchar_t c : text) add(static_cast<WORD>(c));
  add(WORD{0});
}

void DialogTemplate::alignToDword() {
  if (words_.size() % 2 != 0) add(WORD{0});
}

}  // namespace hanabira
