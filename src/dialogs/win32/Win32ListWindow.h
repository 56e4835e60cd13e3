#pragma once
// Win32ListWindow, the list selection window: a modal window with a list drawn on demand and the
// "&OK", "&Cancel" and (hidden) "&Help" buttons. Created per call of SelectFromList and
// destroyed before it returns; its handlers hand the decisions to ListSelection.
#include "win32/Win32Api.h"

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "dialogs/ListDialogView.h"
#include "dialogs/ListLayout.h"
#include "dialogs/ListSelection.h"
#include "settings/Profile.h"
#include "win32/RoutedWindow.h"
#include "win32/UniqueHandle.h"

namespace korv::win32 {

class Win32ListWindow final : private ListDialogView, private RoutedWindow {
 public:
  Win32ListWindow(HWND owner, ListSelection& selection);
  Win32ListWindow(const Win32ListWindow&) = delete;
  Win32ListWindow& operator=(const Win32ListWindow&) = delete;
  ~Win32ListWindow() override;

  // Creates, sizes and places the window for `caption` in "MS Sans Serif" at `fontSize`
  // points, at keypad `position`.
  // False when the window could not be made.
  bool Create(const std::string& caption, std::uint16_t fontSize, std::uint8_t position);
  // Runs the modal loop until the window closes. A quit message ends it as a close and
  // is posted again for the caller's loop.
  void ShowModal();

 private:
  // ListDialogView
  int CurrentRow() override;
  void SetCurrentRow(int row) override;
  int TopRow() override;
  void SetTopRow(int row) override;
  void EnableOk(bool enabled) override;
  void Close() override;

  // Handlers of the window's events.
  void Accept();
  void Cancel();
  void Closed();
  void DrawRow(const DRAWITEMSTRUCT& item);
  LRESULT KeyCommand(WPARAM key);
  void CurrentRowChanged();
  LRESULT CharToItem(WPARAM typed);
  void KeepCurrentRowInView();

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Command(WPARAM wParam, LPARAM lParam);
  bool CreateControls();
  HWND CreateButton(const char* caption, int id, DWORD style, int left, int width);

  HWND owner_;
  ListSelection& selection_;
  UniqueGdiObject font_;
  HFONT shownFont_ = nullptr;  // font_, or the stock font when it could not be made
  HWND list_ = nullptr;        // children go with the window
  HWND okButton_ = nullptr;
  HWND cancelButton_ = nullptr;
  HWND helpButton_ = nullptr;
  ListLayout layout_;
  int rowHeight_ = 16;
  bool closed_ = false;
  std::exception_ptr failure_;  // an error inside a handler, rethrown after the loop
};

// Shows the list selection dialog: `count` items of `items`, item `initial` (1-based)
// pre-selected, caption "Select " + noun, placed at keypad `position`, in the profile's
// view font size. Returns the accepted item's number, or 0.
std::int16_t SelectFromList(HWND owner, Profile& profile, std::uint16_t count,
                            std::uint16_t initial, const std::string& noun,
                            const std::vector<std::string>& items, std::uint8_t position);

}  // namespace korv::win32
