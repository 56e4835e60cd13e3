#pragma once
// The "Recent jobs" window: the history in a list-view (time, job, kind, pages, printer),
// sorted by a click on a column's header, with "Print &Again", "Print &To...", "&View",
// "&Delete" and "&Close". Modeless, on the window thread; made on first use and hidden,
// not destroyed, when closed. The print thread only adds entries: the list is read again
// when the window is activated and once a second while it is shown.
#include <functional>
#include <string>
#include <vector>

#include "dialogs/win32/Win32ListSelector.h"
#include "history/RecentJobs.h"
#include "settings/Profile.h"
#include "win32/RoutedWindow.h"
#include "win32/UniqueHandle.h"
#include "win32/Win32Api.h"

namespace korv {

class RecentJobsWindow final : private win32::RoutedWindow {
 public:
  enum Control : int {
    kList = 201,
    kPrintAgain,  // "Print &Again", the default button (Enter)
    kPrintTo,     // "Print &To..."
    kView,        // "&View", also a double click on a row
    kDelete,      // "&Delete", also the Delete key in the list
    kClose,       // "&Close", also Esc
  };

  struct Deps {
    JobHistory& history;
    ReprintQueue& reprints;
    TextViewer& viewer;
    Profile& profile;  // the view font size of the printer list
    std::function<std::vector<std::string>()> printerNames;
    std::function<bool(const std::string&)> confirm;
    // The application's standard error box, for what a button could not do.
    std::function<void(const std::string&)> showError;
  };

  // The printer list of "Print &To..." is modal to this window.
  RecentJobsWindow(HWND owner, const Deps& deps)
      : owner_(owner),
        lists_([this] { return Window(); }, deps.profile),
        jobs_({deps.history, deps.reprints, lists_, deps.viewer, deps.printerNames, deps.confirm}),
        showError_(deps.showError) {}
  ~RecentJobsWindow() override = default;

  using win32::RoutedWindow::Window;

  // "Recent &Jobs...": makes the window when it is not there yet, reads the history and
  // brings the window to the front. False when the window cannot be made.
  bool Open();
  // The message loop offers every message here first (Tab, mnemonics, Enter, Esc).
  bool PreTranslateMessage(MSG& msg);

 private:
  bool Create();
  bool CreateControls();
  HWND AddButton(const char* caption, Control id, DWORD style, int left, int width);
  void AddColumns();
  // Reads the history again; the list is refilled when it changed (or `always`), keeping
  // the selected entries selected.
  void Reload(bool always);
  void Fill(const std::vector<std::string>& selectedKeys, const std::string& focusedKey);
  void ShowSortMark();
  std::vector<int> SelectedRows() const;
  // The entries of the selected and the focused row, which stay so when the rows change.
  std::vector<std::string> SelectedKeys() const;
  std::string FocusedKey() const;
  void EnableButtons();
  void Run(Control button);
  void Guard(const std::function<void()>& action);
  LRESULT OnNotify(const NMHDR& header);
  void OnActivate(WPARAM wParam);
  void OnCommand(int id);
  void Hide();
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND owner_;
  win32::Win32ListSelector lists_;
  RecentJobs jobs_;
  std::function<void(const std::string&)> showError_;
  UniqueGdiObject font_;  // outlives the window that uses it
  HWND list_ = nullptr;   // children go with the window
  HWND focused_ = nullptr;
};

}  // namespace korv
