#include "ui/win32/result_table_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>

#include "core/utf8_path.h"
#include "i18n/translate.h"
#include "ui/model/neighbour_view.h"
#include "ui/model/result_table_save.h"
#include "ui/win32/neighbour_window.h"
#include "ui/win32/wide_text.h"

namespace hanabira {
namespace {

constexpr wchar_t className[] = L"HanabiraResultTable";
constexpr int windowWidth = 760;
constexpr int windowHeight = 420;
constexpr int noteHeight = 20;
constexpr int buttonRowHeight = 32;
constexpr int buttonWidth = 120;
// The display's check boxes, left to right.
constexpr struct {
  int id;
  int width;
} choiceBoxes[] = {{ResultTableWindow::playersNumberingId, 230},
                   {ResultTableWindow::initialAdvancesId, 110},
                   {ResultTableWindow::memoryLinkId, 110}};
constexpr int listId = 1;
constexpr int neighboursId = 6;  // after the timer's and the check boxes' ids
constexpr UINT copyCommand = 1;
constexpr UINT saveCommand = 2;
// A column is as wide as its header's text and the texts of this many first rows.
constexpr std::size_t rowsMeasured = 50;
constexpr int cellPadding = 16;

void putOnClipboard(HWND owner, const std::wstring& text) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);  // else the clipboard's
  }
  CloseClipboard();
}

// Row -1: every row.
void setRowState(HWND list, int row, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int textWidth(HWND list, std::string_view text) {
  return static_cast<int>(
      SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wideFromUtf8(text).c_str())));
}

}  // namespace

ResultTableWindow::ResultTableWindow(ResultTable& table, HWND owner) : table_(table) {
  registerWindowClass(className, &routeMessages<ResultTableWindow>, dialogBackground());
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  CreateWindowExW(0, className, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, windowWidth, windowHeight,
                  owner, nullptr, instance, this);
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 0, 0, 0,
                          0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(listId)), instance, nullptr);
  const DWORD listStyle = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, listStyle, listStyle);
  cutNote_ = CreateWindowExW(0, WC_STATICW, L"", WS_CHILD, 0, 0, 0, 0, window_, nullptr, instance, nullptr);
  timer_ = CreateWindowExW(0, WC_BUTTONW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(timerButtonId)), instance, nullptr);
  neighbours_ =
      CreateWindowExW(0, WC_BUTTONW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(neighboursId)), instance, nullptr);
  for (const HWND control : {list_, cutNote_, timer_, neighbours_}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
  }
  createChoiceBoxes(instance);
  table_.setListener(this);
  showTexts();
  tableReset();
}

ResultTableWindow::~ResultTableWindow() {
  table_.setListener(nullptr);
  if (window_ != nullptr) DestroyWindow(window_);
}

void ResultTableWindow::show() {
  ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(list_);
}

void ResultTableWindow::showTexts() {
  SetWindowTextW(window_, wideFromUtf8(tr("Results")).c_str());
  SetWindowTextW(timer_, wideFromUtf8(tr("Boot timer")).c_str());
  SetDlgItemTextW(window_, playersNumberingId, wideFromUtf8(tr("IV positions as players count them")).c_str());
  SetDlgItemTextW(window_, initialAdvancesId, wideFromUtf8(tr("Initial advances")).c_str());
  SetDlgItemTextW(window_, memoryLinkId, wideFromUtf8(tr("Memory Link")).c_str());
  const std::string note =
      trf("The table shows the first {} lines; the result file holds them all.", table_.rowLimit());
  SetWindowTextW(cutNote_, wideFromUtf8(note).c_str());
  SetWindowTextW(neighbours_, wideFromUtf8(neighbourTexts().neighbours).c_str());
}

void ResultTableWindow::openNeighbours() const {
  const auto row = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  if (row < 0 || searched_ == nullptr || !*searched_) return;
  const std::optional<RowHit> hit = hitOfRow(table_, static_cast<std::size_t>(row), **searched_);
  if (!hit) return;
  NeighbourWindow* window = NeighbourWindow::open(hit->settings, hit->hit, window_);
  const auto target = bootTargetOfRow(table_, static_cast<std::size_t>(row));
  if (target && missCommand_) {
    window->setTimerCorrection([command = missCommand_, target = *target](int late) { command(target, late); });
  }
}

std::vector<std::size_t> ResultTableWindow::selectedRows() const {
  std::vector<std::size_t> rows;
  for (int row = -1;;) {
    row = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
    if (row < 0) return rows;
    rows.push_back(static_cast<std::size_t>(row));
  }
}

void ResultTableWindow::createChoiceBoxes(HINSTANCE instance) {
  for (const auto& box : choiceBoxes) {
    const HWND control =
        CreateWindowExW(0, WC_BUTTONW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 0, 0, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(box.id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
  }
  EnableWindow(GetDlgItem(window_, memoryLinkId), FALSE);
}

void ResultTableWindow::showChosenDisplay() {
  const bool advances = IsDlgButtonChecked(window_, initialAdvancesId) == BST_CHECKED;
  EnableWindow(GetDlgItem(window_, memoryLinkId), advances);
  const bool players = IsDlgButtonChecked(window_, playersNumberingId) == BST_CHECKED;
  table_.setDisplay({players ? IvNumbering::Players : IvNumbering::Positions, advances,
                     IsDlgButtonChecked(window_, memoryLinkId) == BST_CHECKED});
}

void ResultTableWindow::openTimer() {
  const std::vector<std::size_t> rows = selectedRows();  // ascending
  if (rows.empty() || !timerCommand_) return;
  if (const auto target = bootTargetOfRow(table_, rows.front())) timerCommand_(*target);
}

void ResultTableWindow::copySelection() const {
  const std::string text = table_.copyText(selectedRows());
  if (!text.empty()) putOnClipboard(window_, wideFromUtf8(text));
}

LRESULT ResultTableWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      placeChildren();
      return 0;
    case WM_SETFOCUS:
      SetFocus(list_);
      return 0;
    case WM_NOTIFY:
      return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU:
      showContextMenu(lParam);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return 0;
      if (LOWORD(wParam) == timerButtonId) {
        openTimer();
      } else if (LOWORD(wParam) == neighboursId) {
        openNeighbours();
      } else {
        showChosenDisplay();
      }
      return 0;
    case WM_CLOSE:  // kept for the next time its button opens it
      ShowWindow(window_, SW_HIDE);
      return 0;
    case WM_NCDESTROY:  // with the main window, which owns it
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      window_ = list_ = cutNote_ = timer_ = neighbours_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

LRESULT ResultTableWindow::onNotify(const NMHDR& header) {
  if (header.hwndFrom != list_) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      showCell(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
      return 0;
    case NM_DBLCLK:
      openNeighbours();
      return 0;
    case LVN_COLUMNCLICK:
      sortByHeader(static_cast<std::size_t>(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem));
      return 0;
    case LVN_KEYDOWN: {
      const WORD key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
      if (GetKeyState(VK_CONTROL) >= 0) return 0;
      if (key == 'C') copySelection();
      if (key == 'S') saveShownLines();
      if (key == 'A') setRowState(list_, -1, LVIS_SELECTED, LVIS_SELECTED);
      return 0;
    }
    default:
      return 0;
  }
}

void ResultTableWindow::showCell(NMLVDISPINFOW& cell) {
  const auto row = static_cast<std::size_t>(cell.item.iItem);
  if ((cell.item.mask & LVIF_TEXT) == 0 || cell.item.cchTextMax <= 0 || row >= table_.rowCount()) return;
  cellText_ = wideFromUtf8(table_.cell(row, static_cast<std::size_t>(cell.item.iSubItem)));
  const std::size_t length = std::min(cellText_.size(), static_cast<std::size_t>(cell.item.cchTextMax) - 1);
  std::copy_n(cellText_.c_str(), length, cell.item.pszText);
  cell.item.pszText[length] = L'\0';
}

// Ascending, descending, the file's order.
void ResultTableWindow::sortByHeader(std::size_t column) {
  std::optional<SortKey> next = SortKey{column, SortOrder::Ascending};
  if (const std::optional<SortKey> key = table_.sortKey(); key && key->column == column) {
    if (key->order == SortOrder::Ascending) {
      next->order = SortOrder::Descending;
    } else {
      next.reset();
    }
  }
  table_.sortBy(next);
  showSortArrows();
}

void ResultTableWindow::showSortArrows() {
  const auto header = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
  const std::optional<SortKey> key = table_.sortKey();
  for (std::size_t column = 0; column < table_.columns().size(); ++column) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (key && key->column == column) item.fmt |= key->order == SortOrder::Ascending ? HDF_SORTUP : HDF_SORTDOWN;
    SendMessageW(header, HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
  }
}

void ResultTableWindow::showColumns() {
  while (SendMessageW(list_, LVM_DELETECOLUMN, 0, 0)) {
  }
  for (std::size_t column = 0; column < table_.columns().size(); ++column) {
    std::wstring name = wideFromUtf8(table_.columns()[column]);
    LVCOLUMNW item{};
    item.mask = LVCF_TEXT;
    item.pszText = name.data();
    SendMessageW(list_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&item));
  }
  fitColumns();
}

void ResultTableWindow::fitColumns() {
  const std::size_t rows = std::min(table_.rowCount(), rowsMeasured);
  for (std::size_t column = 0; column < table_.columns().size(); ++column) {
    int width = textWidth(list_, table_.columns()[column]);
    for (std::size_t row = 0; row < rows; ++row) width = std::max(width, textWidth(list_, table_.cell(row, column)));
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width + cellPadding, 0));
  }
}

void ResultTableWindow::placeChildren() {
  RECT area;
  GetClientRect(window_, &area);
  const int buttonsTop = area.bottom - buttonRowHeight;
  const int listHeight = table_.isCut() ? buttonsTop - noteHeight : buttonsTop;
  MoveWindow(list_, 0, 0, area.right, listHeight, TRUE);
  MoveWindow(cutNote_, 4, listHeight + 3, area.right - 8, noteHeight - 4, TRUE);
  MoveWindow(timer_, area.right - buttonWidth - 4, buttonsTop + 4, buttonWidth, buttonRowHeight - 8, TRUE);
  MoveWindow(neighbours_, area.right - 2 * (buttonWidth + 4), buttonsTop + 4, buttonWidth, buttonRowHeight - 8, TRUE);
  int left = 6;
  for (const auto& box : choiceBoxes) {
    MoveWindow(GetDlgItem(window_, box.id), left, buttonsTop + 4, box.width, buttonRowHeight - 8, TRUE);
    left += box.width + 6;
  }
  ShowWindow(cutNote_, table_.isCut() ? SW_SHOW : SW_HIDE);
}

void ResultTableWindow::showContextMenu(LPARAM at) {
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {  // from the keyboard: at the list's corner
    point = {0, 0};
    ClientToScreen(list_, &point);
  }
  const HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, copyCommand, wideFromUtf8(tr("Copy")).c_str());
  AppendMenuW(menu, MF_STRING, saveCommand, wideFromUtf8(tr("Save...")).c_str());
  const auto chosen = static_cast<UINT>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN, point.x, point.y, 0, window_, nullptr));
  DestroyMenu(menu);
  if (chosen == copyCommand) copySelection();
  if (chosen == saveCommand) saveShownLines();
}

void ResultTableWindow::saveShownLines() const {
  const std::vector<SaveFileType> types = saveFileTypes();
  std::wstring filter;  // "label\0pattern\0" for each type, then a second \0
  for (const SaveFileType& type : types) {
    filter += wideFromUtf8(type.label) + L'\0' + wideFromUtf8(type.pattern) + L'\0';
  }
  std::wstring file = L"result.txt";
  file.resize(MAX_PATH * 4);
  const std::wstring title = wideFromUtf8(tr("Save the results"));
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = L"txt";  // the chosen type's, when the name has none
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) return;
  file.resize(file.find(L'\0'));
  const std::size_t chosen =
      std::min<std::size_t>(dialog.nFilterIndex == 0 ? 0 : dialog.nFilterIndex - 1, types.size() - 1);
  const std::filesystem::path path = pathFromUtf8(utf8FromWide(file));
  if (const auto problem = saveTable(table_, formatToSave(path, types[chosen].format), path)) {
    MessageBoxW(window_, wideFromUtf8(*problem).c_str(), wideFromUtf8(tr("Results")).c_str(), MB_OK | MB_ICONWARNING);
  }
}

void ResultTableWindow::tableReset() {
  if (window_ == nullptr) return;
  SendMessageW(list_, LVM_SETITEMCOUNT, 0, 0);
  showColumns();
  SendMessageW(list_, LVM_SETITEMCOUNT, table_.rowCount(), 0);
  showSortArrows();
  placeChildren();
}

void ResultTableWindow::rowsAppended(std::size_t first, std::size_t /*count*/) {
  if (window_ == nullptr) return;
  SendMessageW(list_, LVM_SETITEMCOUNT, table_.rowCount(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  if (first == 0) fitColumns();
}

void ResultTableWindow::orderChanging() {
  if (window_ == nullptr) return;
  selectedFileRows_.clear();
  for (std::size_t row : selectedRows()) selectedFileRows_.push_back(table_.fileRow(row));
  const auto focused = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  hadFocus_ = focused >= 0;
  if (hadFocus_) focusedFileRow_ = table_.fileRow(static_cast<std::size_t>(focused));
}

// The list keeps its selection by place: the same rows are selected at their new places.
void ResultTableWindow::orderChanged() {
  if (window_ == nullptr) return;
  setRowState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  for (std::size_t fileRow : selectedFileRows_) {
    setRowState(list_, static_cast<int>(table_.shownRow(fileRow)), LVIS_SELECTED, LVIS_SELECTED);
  }
  if (hadFocus_) setRowState(list_, static_cast<int>(table_.shownRow(focusedFileRow_)), LVIS_FOCUSED, LVIS_FOCUSED);
  InvalidateRect(list_, nullptr, FALSE);
}

void ResultTableWindow::tableCut() {
  if (window_ != nullptr) placeChildren();
}

}  // namespace hanabira
