#include "history/win32/RecentJobsWindow.h"

// clang-format off
#include "win32/ProgramWindowLook.h"
#include "win32/Win32Api.h"
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <exception>

#include "dialogs/Placement.h"
#include "settings/win32/WideNames32.h"

namespace korv {

namespace {

constexpr const char* kWindowClass = "KorvRecentJobs";
constexpr char kTitle[] = "Recent jobs";
// The service window's frame: a fixed dialog border with a caption, no title-bar buttons.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr std::uint8_t kCentred = 6;
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 330;
constexpr int kMargin = 8;
constexpr int kPushButtonTop = 293;
constexpr int kPushButtonHeight = 25;
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 1000;
constexpr int kColumnWidths[kRecentJobsColumns] = {175, 145, 100, 60, 136};

}  // namespace

bool RecentJobsWindow::Open() {
  if (!Window() && !Create()) return false;
  Reload(true);
  ShowWindow(Window(), SW_SHOWNORMAL);
  SetForegroundWindow(Window());
  SetTimer(Window(), kRefreshTimer, kRefreshMs, nullptr);
  return true;
}

bool RecentJobsWindow::Create() {
  SIZE outer{};
  if (!win32::PrepareProgramWindow(ICC_LISTVIEW_CLASSES, kWindowClass, font_) ||
      !win32::OuterSize(kClientWidth, kClientHeight, kStyle, kExStyle, outer))
    return false;
  const int width = outer.cx;
  const int height = outer.cy;
  const int left = PlaceLeft(width, kCentred, GetSystemMetrics(SM_CXSCREEN));
  const int top = PlaceTop(height, kCentred, GetSystemMetrics(SM_CYSCREEN));
  return CreateRoutedWindow(kExStyle, kWindowClass, kTitle, kStyle, left, top, width, height,
                            owner_) &&
         CreateControls();
}

bool RecentJobsWindow::CreateControls() {
  // Wide: job names may be in any script; printer names come in the code page (WideFromText).
  list_ = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SHOWSELALWAYS, kMargin,
      kMargin, kClientWidth - 2 * kMargin, kPushButtonTop - 2 * kMargin, Window(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kList)), GetModuleHandleA(nullptr), nullptr);
  if (!list_) return false;
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  AddColumns();
  const DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
  const bool made = AddButton("Print &Again", kPrintAgain, WS_TABSTOP | BS_DEFPUSHBUTTON, 8, 110) &&
                    AddButton("Print &To...", kPrintTo, button, 126, 110) &&
                    AddButton("&View", kView, button, 244, 90) &&
                    AddButton("&Delete", kDelete, button, 342, 90) &&
                    AddButton("&Close", kClose, button, kClientWidth - kMargin - 90, 90);
  focused_ = list_;
  return made;
}

HWND RecentJobsWindow::AddButton(const char* caption, Control id, DWORD style, int left,
                                 int width) {
  HWND control = CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | style, left,
                                 kPushButtonTop, width, kPushButtonHeight, Window(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
  if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  return control;
}

void RecentJobsWindow::AddColumns() {
  for (int i = 0; i < kRecentJobsColumns; ++i) {
    std::wstring title = win32::WideFromText(ColumnTitle(static_cast<RecentJobsColumn>(i)));
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt =
        static_cast<RecentJobsColumn>(i) == RecentJobsColumn::Pages ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = kColumnWidths[i];
    column.pszText = title.data();
    SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&column));
  }
}

std::vector<int> RecentJobsWindow::SelectedRows() const {
  std::vector<int> rows;
  int row = -1;
  while ((row = static_cast<int>(
              SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0)
    rows.push_back(row);
  return rows;
}

std::vector<std::string> RecentJobsWindow::SelectedKeys() const {
  std::vector<std::string> keys;
  for (int row : SelectedRows()) keys.push_back(jobs_.Rows()[static_cast<std::size_t>(row)].key);
  return keys;
}

std::string RecentJobsWindow::FocusedKey() const {
  const auto focus =
      static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  return focus >= 0 && static_cast<std::size_t>(focus) < jobs_.Rows().size()
             ? jobs_.Rows()[static_cast<std::size_t>(focus)].key
             : std::string();
}

void RecentJobsWindow::Reload(bool always) {
  const auto selected = SelectedKeys();
  const auto focused = FocusedKey();
  if (jobs_.Refresh() || always) Fill(selected, focused);
}

void RecentJobsWindow::Fill(const std::vector<std::string>& selectedKeys,
                            const std::string& focusedKey) {
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
  const auto& rows = jobs_.Rows();
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (int c = 0; c < kRecentJobsColumns; ++c) {
      std::wstring text = win32::WideFromText(CellText(rows[r], static_cast<RecentJobsColumn>(c)));
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(r);
      item.iSubItem = c;
      item.pszText = text.data();
      SendMessageW(list_, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, c == 0 ? 0 : r,
                   reinterpret_cast<LPARAM>(&item));
    }
    const bool selected =
        std::find(selectedKeys.begin(), selectedKeys.end(), rows[r].key) != selectedKeys.end();
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = (selected ? LVIS_SELECTED : 0U) | (rows[r].key == focusedKey ? LVIS_FOCUSED : 0U);
    SendMessageW(list_, LVM_SETITEMSTATE, r, reinterpret_cast<LPARAM>(&state));
  }
  ShowSortMark();
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
  EnableButtons();
}

void RecentJobsWindow::ShowSortMark() {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
  if (!header) return;
  const RowOrder order = jobs_.Order();
  for (int i = 0; i < kRecentJobsColumns; ++i) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i),
                      reinterpret_cast<LPARAM>(&item)))
      continue;
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (static_cast<int>(order.column) == i)
      item.fmt |= order.descending ? HDF_SORTDOWN : HDF_SORTUP;
    SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
}

void RecentJobsWindow::EnableButtons() {
  const bool any = SendMessageW(list_, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
  for (Control id : {kPrintAgain, kPrintTo, kView, kDelete}) {
    HWND button = GetDlgItem(Window(), id);
    if (!any && GetFocus() == button) SetFocus(list_);  // a disabled button loses the focus
    EnableWindow(button, any ? TRUE : FALSE);
  }
}

void RecentJobsWindow::Guard(const std::function<void()>& action) {
  // An error must not unwind through the window system's frames: it is shown instead.
  try {
    action();
  } catch (const std::exception& error) {
    if (showError_) showError_(error.what());
  }
}

void RecentJobsWindow::Run(Control button) {
  const auto rows = SelectedRows();
  Guard([&] {
    switch (button) {
      case kPrintAgain:
        jobs_.PrintAgain(rows);
        break;
      case kPrintTo:
        jobs_.PrintTo(rows);
        break;
      case kView:
        jobs_.View(rows);
        break;
      case kDelete:
        if (!rows.empty()) {
          try {
            jobs_.Delete(rows);
          } catch (...) {
            Fill({}, {});
            throw;
          }
          Fill({}, {});
        }
        break;
      default:
        break;
    }
  });
}

LRESULT RecentJobsWindow::OnNotify(const NMHDR& header) {
  if (header.idFrom != kList) return 0;
  switch (header.code) {
    case LVN_COLUMNCLICK: {
      const auto& click = reinterpret_cast<const NMLISTVIEW&>(header);
      const auto selected = SelectedKeys();
      const auto focused = FocusedKey();
      jobs_.SortBy(static_cast<RecentJobsColumn>(click.iSubItem));
      Fill(selected, focused);
      break;
    }
    case LVN_ITEMCHANGED:
      EnableButtons();
      break;
    case NM_DBLCLK:
      Run(kView);
      break;
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) Run(kDelete);
      break;
    default:
      break;
  }
  return 0;
}

void RecentJobsWindow::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(Window(), focus)) focused_ = focus;
    return;
  }
  Reload(false);
  if (!focused_ || !IsWindowEnabled(focused_)) focused_ = list_;
  SetFocus(focused_);
}

void RecentJobsWindow::OnCommand(int id) {
  switch (id) {
    case IDOK:  // Enter
      Run(kPrintAgain);
      break;
    case IDCANCEL:  // Esc
    case kClose:
      Hide();
      break;
    case kPrintAgain:
    case kPrintTo:
    case kView:
    case kDelete:
      Run(static_cast<Control>(id));
      break;
    default:
      break;
  }
}

void RecentJobsWindow::Hide() {
  KillTimer(Window(), kRefreshTimer);
  ShowWindow(Window(), SW_HIDE);
}

bool RecentJobsWindow::PreTranslateMessage(MSG& msg) {
  return Window() && IsWindowVisible(Window()) && IsDialogMessageA(Window(), &msg) != FALSE;
}

LRESULT RecentJobsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      OnActivate(wParam);
      return 0;
    case WM_TIMER:
      if (wParam == kRefreshTimer) Reload(false);
      return 0;
    case WM_NOTIFYFORMAT:
      return NFR_UNICODE;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(kPrintAgain, DC_HASDEFID);
    case WM_CLOSE:
      Hide();
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace korv
