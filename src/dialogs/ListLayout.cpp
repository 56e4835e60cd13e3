#include "dialogs/ListLayout.h"

#include <algorithm>

#include "dialogs/Placement.h"

namespace korv {

ListLayout LayoutListDialog(const ListLayoutInput& input, const ListItems& items,
                            TextMeasure& measure) {
  const int R = std::max(input.rowHeight, 1);
  int width = 200;
  width = std::max(width, measure.TextWidth(input.caption) + 30);
  for (int row = 0; row < items.Count(); ++row)
    width = std::max(width, measure.TextWidth(items.Text(row)) + 30);

  ListLayout out;
  out.textWidth = width;
  out.listWidth = width + 10;
  int reserve = 0;
  if (input.screenWidth < out.listWidth + 10) {
    // Too wide for the screen: scroll sideways too, one row taller for that bar.
    out.listWidth = input.screenWidth - 10;
    out.bothScrollBars = true;
    reserve = R;
  }
  out.listHeight = items.Count() * R + 4 + reserve;
  if (input.screenHeight < out.listHeight + 130)
    out.listHeight = ((input.screenHeight - 130) / R) * R + 4;

  out.clientHeight = out.listHeight + kButtonHeight + 15;
  out.windowHeight = out.clientHeight + input.frameHeight;
  out.windowWidth = out.listWidth + 8;
  out.left = PlaceLeft(out.windowWidth, input.position, input.screenWidth);
  out.top = PlaceTop(out.windowHeight, input.position, input.screenHeight);

  out.buttonTop = out.windowHeight - kButtonHeight - 35;
  out.okLeft = 8;
  out.cancelLeft = out.windowWidth - kCancelButtonWidth - 30;
  return out;
}

}  // namespace korv
