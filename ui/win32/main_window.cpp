#include "ui/win32/main_window.h"

#include <commctrl.h>

#include <memory>
#include <utility>

#include "i18n/translate.h"
#include "ui/model/control_ids.h"
#include "ui/win32/search_bar.h"
#include "ui/win32/text_prompt.h"
#include "ui/win32/wide_text.h"

namespace hanabira {
namespace {

constexpr wchar_t className[] = L"HanabiraMainWindow";
// A fixed frame with a caption; the size never changes.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD exStyle;
};

ControlClass controlClass(ControlKind kind, EditFieldWidth editFieldWidth) {
  switch (kind) {
    case ControlKind::Edit:
      // Without ES_AUTOHSCROLL the field takes only what its width shows.
      return {WC_EDITW, editFieldWidth == EditFieldWidth::ScrollsHorizontally ? DWORD{ES_AUTOHSCROLL} : 0,
              WS_EX_CLIENTEDGE};
    case ControlKind::CheckBox:
      return {WC_BUTTONW, BS_AUTOCHECKBOX, 0};
    case ControlKind::PushButton:
      return {WC_BUTTONW, BS_PUSHBUTTON, 0};
    case ControlKind::RadioButton:
      return {WC_BUTTONW, BS_AUTORADIOBUTTON, 0};
    case ControlKind::ComboBox:
      return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL, 0};
  }
  return {WC_STATICW, 0, 0};
}

void fillHiddenPowerItems(HWND combo) {
  for (std::string_view item : hiddenPowerItems()) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(item).c_str()));
  }
}

}  // namespace

MainWindow::MainWindow(EditFieldWidth editFieldWidth)
    : commands_(*this, [this](std::function<void()> task) {
        auto* posted = new std::function<void()>(std::move(task));
        // Tasks posted after the window was destroyed are dropped.
        if (!PostMessageW(window_, postedTaskMessage, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
      }) {
  registerWindowClass(className, &routeMessages<MainWindow>, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT frame{0, 0, mainWindowWidth, mainWindowHeight};
  AdjustWindowRectEx(&frame, windowStyle, FALSE, 0);
  window_ = CreateWindowExW(0, className, wideFromUtf8(mainWindowTitle()).c_str(), windowStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
  createControls(editFieldWidth);
  commands_.setCommand(resultsButton, [this] { showResults(); });
  commands_.opened();
}

MainWindow::~MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void MainWindow::createControls(EditFieldWidth editFieldWidth) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const ControlPlace& place : mainWindowControls) {
    const ControlClass kind = controlClass(place.kind, editFieldWidth);
    DWORD style = WS_CHILD | WS_VISIBLE | kind.style;
    if (isTabStop(place.kind)) style |= WS_TABSTOP;
    if (place.id == blackRadio) style |= WS_GROUP;  // the two version buttons form a group
    int height = place.height;
    // A drop-down list's height is that of the box with its list opened.
    if (place.kind == ControlKind::ComboBox) height += openedListItems * (place.height - 6);
    const HWND control = CreateWindowExW(kind.exStyle, kind.name, wideFromUtf8(tr(place.text)).c_str(), style, place.x,
                                         place.y, place.width, height, window_,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
    // The narrow fields are sized for their digits: the font's own margins would leave
    // room for one digit fewer.
    if (place.kind == ControlKind::Edit) {
      SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    }
    if (place.kind == ControlKind::ComboBox) {
      if (place.id == hiddenPowerCombo) fillHiddenPowerItems(control);
      SendMessageW(control, CB_SETMINVISIBLE, openedListItems, 0);
      SendMessageW(control, CB_SETCURSEL, 0, 0);
    }
  }
  searchBar_ = createSearchBar(window_, progressBarPlace.x, progressBarPlace.y, progressBarPlace.width,
                               progressBarPlace.height, barFont_.handle());
}

void MainWindow::showResults() {
  if (!results_) {
    results_ = std::make_unique<ResultTableWindow>(commands_.resultTable(), window_);
    results_->setTimerCommand([this](const BootTarget& target) { showTimer(target); });
    results_->setMissCommand([this](const BootTarget& target, int secondsLate) {
      showTimer(target);
      timer_->proposeAfterMiss(secondsLate);
    });
    results_->setSearched(&commands_.searched());
  }
  results_->show();
}

void MainWindow::showTimer(const BootTarget& target) {
  if (timer_) {
    timer_->setTarget(target);
  } else {
    timer_ = std::make_unique<BootTimerWindow>(target, commands_, window_);
  }
  timer_->show();
}

std::string MainWindow::fieldText(int id) const { return windowText(GetDlgItem(window_, id)); }

bool MainWindow::isChecked(int id) const { return IsDlgButtonChecked(window_, id) == BST_CHECKED; }

int MainWindow::selectedItem(int id) const {
  return static_cast<int>(SendDlgItemMessageW(window_, id, CB_GETCURSEL, 0, 0));
}

void MainWindow::showFieldText(int id, std::string_view text) {
  SetDlgItemTextW(window_, id, wideFromUtf8(text).c_str());
}

void MainWindow::showChecked(int id, bool checked) {
  CheckDlgButton(window_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void MainWindow::showTexts() {
  for (const ControlPlace& place : mainWindowControls) {
    if (place.kind == ControlKind::Edit || place.kind == ControlKind::ComboBox) continue;
    SetDlgItemTextW(window_, place.id, wideFromUtf8(tr(place.text)).c_str());
  }
  const HWND combo = GetDlgItem(window_, hiddenPowerCombo);
  const LRESULT chosen = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  fillHiddenPowerItems(combo);
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
  if (results_) results_->showTexts();
  if (timer_) timer_->showTexts();
  InvalidateRect(window_, nullptr, TRUE);  // the painted labels
}

void MainWindow::showItems(int id, const std::vector<std::string>& items, int selected) {
  const HWND combo = GetDlgItem(window_, id);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(item).c_str()));
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int MainWindow::chooseFromMenu(const std::vector<Submenu>& menu, int anchor) {
  const HMENU popup = CreatePopupMenu();
  for (const Submenu& submenu : menu) {
    const HMENU items = submenu.title.empty() ? popup : CreatePopupMenu();
    for (const MenuItem& item : submenu.items) {
      AppendMenuW(items, MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED), static_cast<UINT_PTR>(item.command),
                  wideFromUtf8(item.text).c_str());
    }
    if (items != popup) {
      AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(items), wideFromUtf8(submenu.title).c_str());
    }
  }
  RECT button;
  GetWindowRect(GetDlgItem(window_, anchor), &button);
  // The item's command comes back here, not as WM_COMMAND.
  const int chosen = static_cast<int>(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                     button.left, button.bottom, 0, window_, nullptr));
  DestroyMenu(popup);  // and its submenus
  return chosen;
}

std::optional<std::string> MainWindow::askText(const std::string& question, const std::string& text) {
  return askLine(window_, mainWindowTitle(), question, text);
}

bool MainWindow::confirm(const std::string& question) {
  return MessageBoxW(window_, wideFromUtf8(question).c_str(), wideFromUtf8(mainWindowTitle()).c_str(),
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::optional<std::filesystem::path> MainWindow::chooseJsonFile(FileUse use) {
  return hanabira::chooseJsonFile(window_, use == FileUse::Save);
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (HIWORD(wParam) == BN_CLICKED) commands_.runCommand(id);
      // The user's choice only: the window refills the profiles' list without a command.
      if (HIWORD(wParam) == CBN_SELCHANGE && id == profileCombo) commands_.runCommand(id);
      // A field left with a longer text than it shows scrolls back to its beginning.
      if (HIWORD(wParam) == EN_KILLFOCUS) {
        const auto field = reinterpret_cast<HWND>(lParam);
        SendMessageW(field, EM_SETSEL, 0, 0);
        SendMessageW(field, EM_SCROLLCARET, 0, 0);
      }
      return 0;
    }
    case WM_PAINT:
      paintLabels();
      return 0;
    case WM_CTLCOLORSTATIC:  // check boxes and radio buttons on the window's white
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case postedTaskMessage:
      runPostedTask(lParam);
      return 0;
    case WM_DESTROY:
      // Closing during a search aborts it and waits for it, so the program ends with the window.
      commands_.closing();
      dropPostedTasks();
      if (quitOnClose_) PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

void MainWindow::paintLabels() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window_, &paint);
  const HGDIOBJ previous = SelectObject(dc, font_.handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  for (const PaintedLabel& label : mainWindowLabels) {
    const std::wstring text = wideFromUtf8(tr(label.text));
    TextOutW(dc, label.x, label.y, text.c_str(), static_cast<int>(text.size()));
  }
  SelectObject(dc, previous);
  EndPaint(window_, &paint);
}

void MainWindow::runPostedTask(LPARAM task) {
  const std::unique_ptr<std::function<void()>> posted(reinterpret_cast<std::function<void()>*>(task));
  (*posted)();
}

void MainWindow::dropPostedTasks() {
  MSG message;
  while (PeekMessageW(&message, window_, postedTaskMessage, postedTaskMessage, PM_REMOVE)) {
    delete reinterpret_cast<std::function<void()>*>(message.lParam);
  }
}

void MainWindow::showStartCaption(std::string_view caption) {
  SetDlgItemTextW(window_, startButton, wideFromUtf8(caption).c_str());
}

void MainWindow::showTitle(std::string_view title) {
  if (windowText(window_) != title) SetWindowTextW(window_, wideFromUtf8(title).c_str());
}

void MainWindow::showProgressBar(const ProgressBarState& bar) { showOnSearchBar(searchBar_, bar); }

void MainWindow::showMessage(const std::string& text) {
  MessageBoxW(window_, wideFromUtf8(text).c_str(), wideFromUtf8(mainWindowTitle()).c_str(), MB_OK | MB_ICONWARNING);
}

// The search has told the viewer, if any (SearchCommand::setResultViewer).
void MainWindow::resultFileWritten(const std::filesystem::path& /*path*/) {}

}  // namespace hanabira
