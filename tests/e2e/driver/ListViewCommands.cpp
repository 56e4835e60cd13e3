// Subcommands on another program's list-view (report view): its rows' texts as UTF-8, the
// selection, and clicks on its column headers. The item structures and text buffers live
// in the list's process, since the control reads and writes through their pointers.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "Commands.h"
#include "Window.h"

namespace korv::driver {
namespace {

constexpr UINT kTimeoutMs = 2000;
constexpr int kTextChars = 1024;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs, &result))
    return -1;
  return static_cast<LRESULT>(result);
}

HWND FindListView(const std::string& which) {
  HWND window = ResolveWindow(which);
  if (window == nullptr) return nullptr;
  for (HWND child : Descendants(window))
    if (lstrcmpiA(ClassOf(child).c_str(), WC_LISTVIEWA) == 0) return child;
  return nullptr;
}

// The text the control writes after a structure of `structSize` bytes in `buffer`.
std::string RemoteText(const RemoteBuffer& buffer, SIZE_T structSize) {
  const std::string bytes = buffer.ReadBytes(structSize, kTextChars * sizeof(wchar_t));
  std::wstring wide(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  return Utf8Of(wide.substr(0, wide.find(L'\0')));
}

std::string CellText(HWND list, const RemoteBuffer& buffer, int row, int column) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = reinterpret_cast<LPWSTR>(static_cast<char*>(buffer.Address()) + sizeof item);
  item.cchTextMax = kTextChars;
  const wchar_t none = 0;
  if (!buffer.Write(0, &item, sizeof item) || !buffer.Write(sizeof item, &none, sizeof none))
    return {};
  Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
       reinterpret_cast<LPARAM>(buffer.Address()));
  return RemoteText(buffer, sizeof item);
}

std::string ColumnTitle(HWND list, const RemoteBuffer& buffer, int column) {
  LVCOLUMNW item{};
  item.mask = LVCF_TEXT;
  item.pszText = reinterpret_cast<LPWSTR>(static_cast<char*>(buffer.Address()) + sizeof item);
  item.cchTextMax = kTextChars;
  if (!buffer.Write(0, &item, sizeof item)) return {};
  Send(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
       reinterpret_cast<LPARAM>(buffer.Address()));
  return RemoteText(buffer, sizeof item);
}

bool SetState(HWND list, const RemoteBuffer& buffer, int row, UINT state) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = state;
  return buffer.Write(0, &item, sizeof item) &&
         Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
              reinterpret_cast<LPARAM>(buffer.Address())) == TRUE;
}

}  // namespace

int ReadListView(const Args& args) {
  if (args.empty()) return Fail(2, "usage: listview WINDOW");
  HWND list = FindListView(args[0]);
  if (list == nullptr) return Fail(1, "no list-view in " + args[0]);
  RemoteBuffer buffer(list, sizeof(LVITEMW) + (kTextChars + 1) * sizeof(wchar_t));
  if (buffer.Address() == nullptr) return Fail(1, "no memory in the list's process");
  HWND header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER, 0, 0));
  const int columns = static_cast<int>(Send(header, HDM_GETITEMCOUNT, 0, 0));
  const int rows = static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0));
  std::vector<std::string> titles;
  for (int c = 0; c < columns; ++c) titles.push_back(ColumnTitle(list, buffer, c));
  JsonLine()
      .Number("hwnd", HandleNumber(list))
      .Number("count", rows)
      .Texts("columns", titles)
      .Print();
  for (int r = 0; r < rows; ++r) {
    std::vector<std::string> texts;
    for (int c = 0; c < columns; ++c) texts.push_back(CellText(list, buffer, r, c));
    const auto state = Send(list, LVM_GETITEMSTATE, static_cast<WPARAM>(r), LVIS_SELECTED);
    JsonLine()
        .Number("row", r)
        .Flag("selected", (state & LVIS_SELECTED) != 0)
        .Texts("texts", texts)
        .Print();
  }
  return 0;
}

int SelectListRows(const Args& args) {
  if (args.empty()) return Fail(2, "usage: lvselect WINDOW [ROW ...]");
  HWND list = FindListView(args[0]);
  if (list == nullptr) return Fail(1, "no list-view in " + args[0]);
  RemoteBuffer buffer(list, sizeof(LVITEMW));
  if (buffer.Address() == nullptr) return Fail(1, "no memory in the list's process");
  if (!SetState(list, buffer, -1, 0)) return Fail(1, "cannot clear the selection");
  std::vector<long long> rows;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const int row = std::atoi(args[i].c_str());
    if (!SetState(list, buffer, row, LVIS_SELECTED | (i == 1 ? LVIS_FOCUSED : 0U)))
      return Fail(1, "no row " + args[i]);
    rows.push_back(row);
  }
  JsonLine().Numbers("selected", rows).Print();
  return 0;
}

int ClickListColumn(const Args& args) {
  if (args.size() < 2) return Fail(2, "usage: lvcolumn WINDOW COLUMN");
  HWND list = FindListView(args[0]);
  if (list == nullptr) return Fail(1, "no list-view in " + args[0]);
  HWND header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER, 0, 0));
  RemoteBuffer buffer(list, sizeof(RECT));
  if (header == nullptr || buffer.Address() == nullptr) return Fail(1, "no header");
  if (Send(header, HDM_GETITEMRECT, static_cast<WPARAM>(std::atoi(args[1].c_str())),
           reinterpret_cast<LPARAM>(buffer.Address())) != TRUE)
    return Fail(1, "no column " + args[1]);
  RECT rect{};
  const std::string bytes = buffer.ReadBytes(0, sizeof rect);
  if (bytes.size() != sizeof rect) return Fail(1, "cannot read the column's rectangle");
  std::memcpy(&rect, bytes.data(), sizeof rect);
  // A click in the middle of the column's header, as the mouse would make it.
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  if (!PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at) ||
      !PostMessageW(header, WM_LBUTTONUP, 0, at))
    return Fail(1, "post failed");
  JsonLine().Numbers("clicked", {rect.left, rect.top, rect.right, rect.bottom}).Print();
  return 0;
}

}  // namespace korv::driver
