#pragma once
// Sizes and positions of the list selection dialog: the list sized to its widest text
// and its rows, kept within the screen, the window around it, the buttons below.
#include <cstdint>
#include <string>

#include "dialogs/ListItems.h"
#include "dialogs/TextMeasure.h"

namespace korv {

inline constexpr int kOkButtonWidth = 60;
inline constexpr int kCancelButtonWidth = 70;
inline constexpr int kHelpButtonWidth = 60;
inline constexpr int kButtonHeight = 26;

struct ListLayoutInput {
  std::string caption;  // "Select " + noun
  int rowHeight = 16;   // R: the list font's text height plus the row spacing
  int screenWidth = 0;  // primary screen, pixels
  int screenHeight = 0;
  int frameHeight = 0;        // the window's outer height less its client height
  std::uint8_t position = 6;  // keypad code
};

struct ListLayout {
  int textWidth = 0;                  // W: the widest text (or caption) plus 30, at least 200
  int listWidth = 0, listHeight = 0;  // the list sits at the client's (0, 0)
  bool bothScrollBars = false;        // else a vertical scroll bar only
  int windowWidth = 0, windowHeight = 0, clientHeight = 0;
  int left = 0, top = 0;                          // screen position of the window
  int okLeft = 0, cancelLeft = 0, buttonTop = 0;  // client positions; help shares the top
};

ListLayout LayoutListDialog(const ListLayoutInput& input, const ListItems& items,
                            TextMeasure& measure);

}  // namespace korv
