#pragma once
// The list selection dialog's items: the caller's list, read only, of which the dialog
// shows the first `count` entries, each cut to its first 255 characters.
#include <cstddef>
#include <string>
#include <vector>

namespace korv {

inline constexpr std::size_t kItemTextLimit = 255;

class ListItems {
 public:
  // A count beyond the list's end is cut to the list: rows past it have no text to show.
  ListItems(const std::vector<std::string>& items, std::size_t count)
      : items_(items), count_(count < items.size() ? count : items.size()) {}

  int Count() const { return static_cast<int>(count_); }
  // Row r (0-based) shows item r + 1; rows outside the list show nothing.
  std::string Text(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= count_) return {};
    return items_[static_cast<std::size_t>(row)].substr(0, kItemTextLimit);
  }

 private:
  const std::vector<std::string>& items_;
  std::size_t count_;
};

}  // namespace korv
