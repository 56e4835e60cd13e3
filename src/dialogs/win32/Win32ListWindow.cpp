#include "dialogs/win32/Win32ListWindow.h"

#include <optional>

#include "dialogs/ListKeys.h"
#include "dialogs/win32/DcTextMeasure.h"
#include "win32/ProgramIcon.h"

namespace korv::win32 {

namespace {

constexpr char kClassName[] = "TVListBoxForm";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;  // no system menu
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;                    // single fixed border
constexpr int kListId = 100;
constexpr int kRowSpacing = 2;

HMENU ControlId(int id) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

void SetFont(HWND control, HFONT font) {
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// The window's outer height less its client height.
int FrameHeight() {
  RECT rect{0, 0, 100, 100};
  if (AdjustWindowRectEx(&rect, kStyle, FALSE, kExStyle)) return (rect.bottom - rect.top) - 100;
  return GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYDLGFRAME);
}

bool KeyDown(int key) {
  return GetKeyState(key) < 0;
}

}  // namespace

Win32ListWindow::Win32ListWindow(HWND owner, ListSelection& selection)
    : owner_(owner), selection_(selection) {}

Win32ListWindow::~Win32ListWindow() {
  DestroyRoutedWindow();  // before the members its handlers use
}

bool Win32ListWindow::Create(const std::string& caption, std::uint16_t fontSize,
                             std::uint8_t position) {
  WindowClass cls;
  cls.name = kClassName;
  cls.icon = ProgramIcon(IconSize::Large);
  cls.cursor = LoadCursor(nullptr, IDC_ARROW);
  cls.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  if (!RegisterWindowClass(cls)) return false;

  {
    WindowDc screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
    font_.Reset(CreateFontA(-MulDiv(fontSize, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
  }
  shownFont_ = font_ ? static_cast<HFONT>(font_.Get())
                     : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

  ListLayoutInput input;
  input.caption = caption;
  input.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  input.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  input.frameHeight = FrameHeight();
  input.position = position;
  {
    DcTextMeasure measure(shownFont_);
    rowHeight_ = measure.TextHeight() + kRowSpacing;
    input.rowHeight = rowHeight_;
    layout_ = LayoutListDialog(input, selection_.Items(), measure);
  }

  if (!CreateRoutedWindow(kExStyle, kClassName, caption.c_str(), kStyle, layout_.left, layout_.top,
                          layout_.windowWidth, layout_.windowHeight, owner_))
    return false;
  SetFont(Window(), shownFont_);
  if (!CreateControls()) return false;
  selection_.Show(*this);
  return true;
}

// The list and the three buttons, in the window's font.
bool Win32ListWindow::CreateControls() {
  DWORD listStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY |
                    LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT;
  if (layout_.bothScrollBars) listStyle |= WS_HSCROLL;
  list_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", listStyle, 0, 0, layout_.listWidth,
                          layout_.listHeight, Window(), ControlId(kListId),
                          GetModuleHandleA(nullptr), nullptr);
  okButton_ =
      CreateButton("&OK", IDOK, BS_DEFPUSHBUTTON | WS_VISIBLE, layout_.okLeft, kOkButtonWidth);
  cancelButton_ = CreateButton("&Cancel", IDCANCEL, BS_PUSHBUTTON | WS_VISIBLE, layout_.cancelLeft,
                               kCancelButtonWidth);
  // Never shown; it keeps its place in the tab order.
  helpButton_ = CreateButton("&Help", IDHELP, BS_PUSHBUTTON,
                             layout_.cancelLeft - kHelpButtonWidth - 8, kHelpButtonWidth);
  if (!list_ || !okButton_ || !cancelButton_ || !helpButton_) return false;

  SetFont(list_, shownFont_);
  SendMessageA(list_, LB_SETITEMHEIGHT, 0, MAKELPARAM(rowHeight_, 0));
  if (layout_.bothScrollBars)
    SendMessageA(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(layout_.textWidth), 0);
  return SendMessageA(list_, LB_SETCOUNT, static_cast<WPARAM>(selection_.Items().Count()), 0) >= 0;
}

HWND Win32ListWindow::CreateButton(const char* caption, int id, DWORD style, int left, int width) {
  HWND button = CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_TABSTOP | style, left,
                                layout_.buttonTop, width, kButtonHeight, Window(), ControlId(id),
                                GetModuleHandleA(nullptr), nullptr);
  if (button) SetFont(button, shownFont_);
  return button;
}

void Win32ListWindow::ShowModal() {
  const bool disableOwner = owner_ && IsWindowEnabled(owner_);
  if (disableOwner) EnableWindow(owner_, FALSE);
  ShowWindow(Window(), SW_SHOW);
  SetFocus(list_);

  std::optional<WPARAM> quit;
  MSG msg{};
  while (!closed_) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) quit = msg.wParam;
    if (got == 0 || got == -1) {
      Close();
      break;
    }
    if (!IsDialogMessageA(Window(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  // The owner is enabled before the window goes, so that it gets the activation back.
  if (disableOwner) EnableWindow(owner_, TRUE);
  ShowWindow(Window(), SW_HIDE);
  if (quit) PostQuitMessage(static_cast<int>(*quit));
  if (failure_) std::rethrow_exception(failure_);
}

// ListDialogView -------------------------------------------------------------------

int Win32ListWindow::CurrentRow() {
  const LRESULT row = SendMessageA(list_, LB_GETCURSEL, 0, 0);
  return row == LB_ERR ? -1 : static_cast<int>(row);
}

void Win32ListWindow::SetCurrentRow(int row) {
  SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(static_cast<INT_PTR>(row)), 0);
}

int Win32ListWindow::TopRow() {
  const LRESULT row = SendMessageA(list_, LB_GETTOPINDEX, 0, 0);
  return row == LB_ERR ? 0 : static_cast<int>(row);
}

void Win32ListWindow::SetTopRow(int row) {
  SendMessageA(list_, LB_SETTOPINDEX, static_cast<WPARAM>(row < 0 ? 0 : row), 0);
}

void Win32ListWindow::EnableOk(bool enabled) {
  EnableWindow(okButton_, enabled ? TRUE : FALSE);
}

void Win32ListWindow::Close() {
  if (!closed_ && Window()) SendMessageA(Window(), WM_CLOSE, 0, 0);
}

// Handlers -------------------------------------------------------------------------

void Win32ListWindow::Accept() {
  selection_.Accept(*this);
}

void Win32ListWindow::Cancel() {
  selection_.Cancel(*this);
}

void Win32ListWindow::Closed() {
  selection_.Closed();
  closed_ = true;
}

void Win32ListWindow::DrawRow(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  if (item.itemID != static_cast<UINT>(-1)) {
    const bool current = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(current ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const std::string text = selection_.RowText(static_cast<int>(item.itemID));
    SelectedObject selected(dc, shownFont_);
    const COLORREF oldColour =
        SetTextColor(dc, GetSysColor(current ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, rect.left + 2, rect.top + kRowSpacing / 2, text.data(),
             static_cast<int>(text.size()));
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rect);
}

LRESULT Win32ListWindow::KeyCommand(WPARAM key) {
  const KeyState modifiers{KeyDown(VK_SHIFT), KeyDown(VK_CONTROL), KeyDown(VK_MENU)};
  const std::optional<ListCommand> command =
      ListKeyCommand(static_cast<std::uint16_t>(LOWORD(key)), modifiers);
  if (command) selection_.KeyCommand(*this, *command);
  return closed_ ? -2 : -1;  // -1: the list still does its own work with the key
}

void Win32ListWindow::CurrentRowChanged() {
  selection_.CurrentRowChanged(*this);
}

LRESULT Win32ListWindow::CharToItem(WPARAM typed) {
  selection_.CharToItem(*this, static_cast<char>(LOWORD(typed) & 0xFF));
  return -2;  // the search has moved the current row itself
}

void Win32ListWindow::KeepCurrentRowInView() {
  selection_.KeepCurrentRowInView(*this, layout_.listHeight, rowHeight_);
}

// Messages -------------------------------------------------------------------------

LRESULT Win32ListWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return Handle(message, wParam, lParam);
  } catch (...) {
    // Errors must not cross the window system; the modal loop ends and rethrows it.
    if (!failure_) failure_ = std::current_exception();
    closed_ = true;
    return 0;
  }
}

LRESULT Win32ListWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return Command(wParam, lParam);
    case WM_CLOSE:
      Closed();
      return 0;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(rowHeight_);
      return TRUE;
    case WM_DRAWITEM:
      DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_VKEYTOITEM:
      return KeyCommand(wParam);
    case WM_CHARTOITEM:
      return CharToItem(wParam);
    case DM_GETDEFID:
      return MAKELRESULT(IDOK, DC_HASDEFID);
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

LRESULT Win32ListWindow::Command(WPARAM wParam, LPARAM) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id == kListId) {
    if (code == LBN_SELCHANGE) CurrentRowChanged();
    if (code == LBN_DBLCLK) Accept();
    if (code == LBN_SETFOCUS) KeepCurrentRowInView();
  } else if (id == IDOK) {
    if (IsWindowEnabled(okButton_)) Accept();  // Enter with nothing acceptable does nothing
  } else if (id == IDCANCEL) {
    Cancel();
  }  // the hidden "&Help" button has nothing to show
  return 0;
}

std::int16_t SelectFromList(HWND owner, Profile& profile, std::uint16_t count,
                            std::uint16_t initial, const std::string& noun,
                            const std::vector<std::string>& items, std::uint8_t position) {
  ListSelection selection(items, count, initial);
  {
    Win32ListWindow form(owner, selection);
    if (!form.Create("Select " + noun, profile.ReadViewFontSize(), position)) return 0;
    form.ShowModal();
  }
  return selection.Finish();
}

}  // namespace korv::win32
