#include "ui/win32/neighbour_window.h"

#include <algorithm>
#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "ui/model/shown_names.h"
#include "ui/win32/list_view.h"
#include "ui/win32/wide_text.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

constexpr int windowWidth = 900;
constexpr int windowHeight = 480;
constexpr int margin = 6;
constexpr int rowHeight = 24;
constexpr int controlHeight = 20;
constexpr int countWidth = 32;
constexpr int ivWidth = 40;
constexpr int comboWidth = 110;
constexpr int comboListHeight = 300;
constexpr int gap = 4;
constexpr int boxPadding = 24;  // a check box's square, a button's edges
constexpr std::size_t rowsMeasured = 50;
constexpr int cellPadding = 16;
constexpr COLORREF agreeingShade = RGB(0xFF, 0xF0, 0xC0);
constexpr std::array<const char*, 6> ivLabels = {"H", "A", "B", "C", "D", "S"};

int textWidth(HWND window, HFONT font, const std::string& text) {
  const HDC dc = GetDC(window);
  const HGDIOBJ old = SelectObject(dc, font);
  const std::wstring wide = wideFromUtf8(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size.cx;
}

}  // namespace

NeighbourWindow* NeighbourWindow::open(const SearchSettings& settings, const BootMoment& hit, HWND owner) {
  auto* window = new NeighbourWindow(settings, hit, owner);
  ShowWindow(window->window_, SW_SHOW);
  return window;
}

NeighbourWindow::NeighbourWindow(const SearchSettings& settings, const BootMoment& hit, HWND owner)
    : view_(settings, hit) {
  registerWindowClass(className, &routeMessages<NeighbourWindow>, dialogBackground());
  CreateWindowExW(0, className, wideFromUtf8(neighbourTitle(view_.hitText())).c_str(), WS_OVERLAPPEDWINDOW,
                  CW_USEDEFAULT, CW_USEDEFAULT, windowWidth, windowHeight, owner, nullptr, GetModuleHandleW(nullptr),
                  this);
  createFields();
  createSeenFields();
  control(WC_STATICW, "", SS_LEFT, summaryId);
  ShowWindow(control(WC_BUTTONW, neighbourTexts().correctTimer, WS_TABSTOP | BS_PUSHBUTTON, correctTimerId), SW_HIDE);
  list_ = control(WC_LISTVIEWW, "", WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, listId);
  SetWindowLongPtrW(list_, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
  const DWORD listStyle = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, listStyle, listStyle);
  placeChildren();
  recompute();
}

// A child of the window in the window's font, placed by placeChildren() or its creator.
HWND NeighbourWindow::control(const wchar_t* windowClass, const std::string& text, DWORD style, int id) {
  const HWND child =
      CreateWindowExW(0, windowClass, wideFromUtf8(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
  return child;
}

// One row: each field after its label, the check box, the button.
void NeighbourWindow::createFields() {
  const NeighbourTexts texts = neighbourTexts();
  const NeighbourFields defaults;
  int x = margin;
  const auto place = [&](HWND child, int width) {
    MoveWindow(child, x, margin, width, controlHeight, FALSE);
    x += width + gap;
  };
  for (auto [label, text, id] : {std::tuple{&texts.seconds, &defaults.seconds, secondsId},
                                 std::tuple{&texts.timer0s, &defaults.timer0s, timer0sId},
                                 std::tuple{&texts.vcounts, &defaults.vcounts, vcountsId},
                                 std::tuple{&texts.positions, &defaults.positions, positionsId}}) {
    place(control(WC_STATICW, *label, SS_RIGHT, 0), textWidth(window_, font_.handle(), *label));
    place(control(WC_EDITW, *text, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, id), countWidth);
  }
  place(control(WC_BUTTONW, texts.keysOneAway, WS_TABSTOP | BS_AUTOCHECKBOX, keysOneAwayId),
        textWidth(window_, font_.handle(), texts.keysOneAway) + boxPadding);
  place(control(WC_BUTTONW, texts.recompute, WS_TABSTOP | BS_DEFPUSHBUTTON, recomputeId),
        textWidth(window_, font_.handle(), texts.recompute) + boxPadding);
}

// What the player saw: only what the search's mode shows of a boot.
void NeighbourWindow::createSeenFields() {
  const NeighbourTexts texts = neighbourTexts();
  const int y = margin + rowHeight;
  int x = margin;
  const auto place = [&](HWND child, int width, int height = controlHeight) {
    MoveWindow(child, x, y, width, height, FALSE);
    x += width + gap;
  };
  place(control(WC_STATICW, texts.seen, SS_LEFT, 0), textWidth(window_, font_.handle(), texts.seen));
  for (std::size_t stat = 0; stat < ivLabels.size(); ++stat) {
    place(control(WC_STATICW, ivLabels[stat], SS_RIGHT, 0), textWidth(window_, font_.handle(), ivLabels[stat]));
    const HWND field =
        control(WC_EDITW, "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, ivFieldId + static_cast<int>(stat));
    EnableWindow(field, view_.showsIvs());
    place(field, ivWidth);
  }
  const auto combo = [&](const std::string& label, int id, bool enabled, const std::vector<std::string>& items) {
    place(control(WC_STATICW, label, SS_RIGHT, 0), textWidth(window_, font_.handle(), label));
    const HWND box = control(WC_COMBOBOXW, "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, id);
    for (const std::string& item : items) {
      SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(item).c_str()));
    }
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    EnableWindow(box, enabled);
    place(box, comboWidth, comboListHeight);
  };
  std::vector<std::string> natures = {texts.notSeen};
  for (int id = 0; id < natureCount; ++id) natures.emplace_back(shownNatureName(id));
  combo(texts.nature, natureId, view_.showsNature(), natures);
  combo(texts.shiny, shinyId, view_.showsShiny(), {texts.notSeen, texts.yes, texts.no});
  fieldsBottom_ = y + rowHeight;
}

void NeighbourWindow::placeChildren() {
  RECT area;
  GetClientRect(window_, &area);
  const int buttonWidth = textWidth(window_, font_.handle(), neighbourTexts().correctTimer) + boxPadding;
  MoveWindow(GetDlgItem(window_, correctTimerId), area.right - margin - buttonWidth, fieldsBottom_, buttonWidth,
             controlHeight, TRUE);
  MoveWindow(GetDlgItem(window_, summaryId), margin, fieldsBottom_, area.right - 3 * margin - buttonWidth,
             controlHeight, TRUE);
  const int listTop = fieldsBottom_ + rowHeight;
  MoveWindow(list_, 0, listTop, area.right, std::max(0, static_cast<int>(area.bottom) - listTop), TRUE);
}

NeighbourFields NeighbourWindow::fields() const {
  const auto text = [this](int id) { return windowText(GetDlgItem(window_, id)); };
  const auto item = [this](int id) { return static_cast<int>(SendDlgItemMessageW(window_, id, CB_GETCURSEL, 0, 0)); };
  NeighbourFields fields;
  fields.seconds = text(secondsId);
  fields.timer0s = text(timer0sId);
  fields.vcounts = text(vcountsId);
  fields.positions = text(positionsId);
  fields.keysOneAway = IsDlgButtonChecked(window_, keysOneAwayId) == BST_CHECKED;
  for (std::size_t stat = 0; stat < fields.ivs.size(); ++stat)
    fields.ivs[stat] = text(ivFieldId + static_cast<int>(stat));
  if (item(natureId) > 0) fields.nature = item(natureId) - 1;
  if (item(shinyId) > 0) fields.shiny = item(shinyId) == 1;
  return fields;
}

void NeighbourWindow::recompute() {
  const std::optional<std::string> problem = view_.recompute(fields());
  SetDlgItemTextW(window_, summaryId, wideFromUtf8(problem.value_or(view_.summary())).c_str());
  if (!problem) showRows();
  showCorrectTimer();
}

void NeighbourWindow::setTimerCorrection(std::function<void(int secondsLate)> command) {
  correctTimerCommand_ = std::move(command);
  showCorrectTimer();
}

void NeighbourWindow::showCorrectTimer() const {
  const bool shown = correctTimerCommand_ && view_.secondsToCorrect();
  ShowWindow(GetDlgItem(window_, correctTimerId), shown ? SW_SHOW : SW_HIDE);
}

void NeighbourWindow::showRows() {
  while (SendMessageW(list_, LVM_DELETECOLUMN, 0, 0)) {
  }
  SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t column = 0; column < view_.columns().size(); ++column) {
    std::wstring name = wideFromUtf8(view_.columns()[column]);
    LVCOLUMNW item{};
    item.mask = LVCF_TEXT;
    item.pszText = name.data();
    SendMessageW(list_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&item));
  }
  DialogRows rows;
  for (std::size_t row = 0; row < view_.rowCount(); ++row) rows.push_back(view_.cells(row));
  showListRows(list_, rows, -1);
  fitColumns();
}

// A column is as wide as its header's text and the texts of its first rows.
void NeighbourWindow::fitColumns() const {
  const auto width = [this](const std::string& text) {
    return static_cast<int>(
        SendMessageW(list_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wideFromUtf8(text).c_str())));
  };
  const std::size_t rows = std::min(view_.rowCount(), rowsMeasured);
  for (std::size_t column = 0; column < view_.columns().size(); ++column) {
    int widest = width(view_.columns()[column]);
    for (std::size_t row = 0; row < rows; ++row) widest = std::max(widest, width(view_.cells(row)[column]));
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(widest + cellPadding, 0));
  }
}

LRESULT NeighbourWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCDESTROY: {  // the window's last message: the object goes with it
      const HWND window = window_;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete this;
      return DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_SIZE:
      placeChildren();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == recomputeId || LOWORD(wParam) == IDOK) recompute();
      if (LOWORD(wParam) == correctTimerId && correctTimerCommand_ && view_.secondsToCorrect()) {
        correctTimerCommand_(*view_.secondsToCorrect());
      }
      return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<NMHDR*>(lParam);
      if (header.hwndFrom == list_ && header.code == NM_CUSTOMDRAW) {
        return customDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
      }
      return 0;
    }
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

// The hit's line in bold, the lines that agree with what was seen shaded.
LRESULT NeighbourWindow::customDraw(NMLVCUSTOMDRAW& draw) const {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const auto row = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
  if (row >= view_.rowCount()) return CDRF_DODEFAULT;
  if (view_.agrees(row)) draw.clrTextBk = agreeingShade;
  if (!view_.isTarget(row)) return CDRF_DODEFAULT;
  SelectObject(draw.nmcd.hdc, boldFont_.handle());
  return CDRF_NEWFONT;
}

}  // namespace hanabira
