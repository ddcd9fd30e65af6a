// A dialog template built in memory (DLGTEMPLATEEX and its items), so that the system
// lays out an option dialog in the dialog units of its font, as it lays out a dialog
// from a program's resources.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace hanabira {

class DialogTemplate {
 public:
  // The client area's size in dialog units; the font in points.
  DialogTemplate(const std::wstring& title, int width, int height, const std::wstring& fontFace, int fontPoints);

  // `windowClass` is one of the system's predefined control classes by atom (0x0080
  // button, 0x0081 edit, 0x0082 static, 0x0085 combo box).
  void addControl(WORD windowClass, DWORD id, DWORD style, DWORD exStyle, const std::wstring& text, int x, int y,
                  int width, int height);
  // A control of a class named by its name, such as a common control's (WC_LISTVIEWW).
  void addControl(const std::wstring& windowClass, DWORD id, DWORD style, DWORD exStyle, const std::wstring& text,
                  int x, int y, int width, int height);

  // For DialogBoxIndirectParamW; valid while the template lives and is not changed.
  const DLGTEMPLATE* data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  static constexpr WORD button = 0x0080;
  static constexpr WORD edit = 0x0081;
  static constexpr WORD staticText = 0x0082;
  static constexpr WORD comboBox = 0x0085;

 private:
  void add(WORD word) { words_.push_back(word); }
  void add(DWORD value);
  void add(const std::wstring& text);  // with its terminating zero
  void alignToDword();
  void addItemHeader(DWORD id, DWORD style, DWORD exStyle, int x, int y, int width, int height);

  std::vector<WORD> words_;  // WORD-aligned as the format is, and DWORD-aligned where it asks
  std::size_t countAt_ = 0;  // where cDlgItems is
};

}  // namespace hanabira
