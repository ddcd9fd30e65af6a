#include "ui/win32/list_view.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/win32/wide_text.h"

namespace hanabira {

void addListColumns(HWND table, std::string_view columnNames) {
  std::vector<std::string> names;
  for (std::string_view rest = columnNames; !rest.empty();) {
    const std::size_t comma = rest.find(',');
    names.emplace_back(rest.substr(0, comma));
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  }
  RECT area;
  GetClientRect(table, &area);
  const int width = names.empty() ? 0 : (area.right - area.left) / static_cast<int>(names.size());
  for (std::size_t c = 0; c < names.size(); ++c) {
    std::wstring name = wideFromUtf8(names[c]);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width;
    column.pszText = name.data();
    SendMessageW(table, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
  SendMessageW(table, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void showListRows(HWND table, const DialogRows& rows, int picked) {
  SendMessageW(table, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      std::wstring cell = wideFromUtf8(rows[r][c]);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(r);
      item.iSubItem = static_cast<int>(c);
      item.pszText = cell.data();
      SendMessageW(table, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
    }
  }
  if (picked >= 0) {
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(table, LVM_SETITEMSTATE, static_cast<WPARAM>(picked), reinterpret_cast<LPARAM>(&item));
  }
}

DialogRows listRows(HWND table) {
  const HWND header = reinterpret_cast<HWND>(SendMessageW(table, LVM_GETHEADER, 0, 0));
  const auto columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  const auto count = static_cast<int>(SendMessageW(table, LVM_GETITEMCOUNT, 0, 0));
  DialogRows rows(static_cast<std::size_t>(count));
  for (int r = 0; r < count; ++r) {
    for (int c = 0; c < columns; ++c) {
      wchar_t buffer[256] = {};
      LVITEMW item{};
      item.iSubItem = c;
      item.pszText = buffer;
      item.cchTextMax = 256;
      SendMessageW(table, LVM_GETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
      rows[static_cast<std::size_t>(r)].push_back(utf8FromWide(buffer));
    }
  }
  return rows;
}

int pickedListRow(HWND table) {
  return static_cast<int>(SendMessageW(table, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace hanabira
