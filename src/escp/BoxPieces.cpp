#include "escp/BoxPieces.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>

#include "printing/EPrinter.h"

namespace korv {

namespace {

using Arm = BoxPiece::Arm;
using Block = BoxPiece::Block;

// One line character's arms, two bits each: left, right, up, down.
constexpr std::uint8_t N = 0, S = 1, D = 2;
constexpr std::uint8_t Arms(std::uint8_t left, std::uint8_t right, std::uint8_t up,
                            std::uint8_t down) {
  return static_cast<std::uint8_t>(left | right << 2 | up << 4 | down << 6);
}
constexpr std::uint8_t kNoArms = 0;

// U+2500-U+257F in order; heavy counts as single.
constexpr std::array<std::uint8_t, 0x80> kLineArms = {
    Arms(S, S, N, N),  // 2500 light horizontal
    Arms(S, S, N, N),  // 2501 heavy horizontal
    Arms(N, N, S, S),  // 2502 light vertical
    Arms(N, N, S, S),  // 2503 heavy vertical
    Arms(S, S, N, N),  // 2504 light triple dash horizontal
    Arms(S, S, N, N),  // 2505 heavy triple dash horizontal
    Arms(N, N, S, S),  // 2506 light triple dash vertical
    Arms(N, N, S, S),  // 2507 heavy triple dash vertical
    Arms(S, S, N, N),  // 2508 light quadruple dash horizontal
    Arms(S, S, N, N),  // 2509 heavy quadruple dash horizontal
    Arms(N, N, S, S),  // 250A light quadruple dash vertical
    Arms(N, N, S, S),  // 250B heavy quadruple dash vertical
    Arms(N, S, N, S),  // 250C light down and right
    Arms(N, S, N, S),  // 250D down light and right heavy
    Arms(N, S, N, S),  // 250E down heavy and right light
    Arms(N, S, N, S),  // 250F heavy down and right
    Arms(S, N, N, S),  // 2510 light down and left
    Arms(S, N, N, S),  // 2511 down light and left heavy
    Arms(S, N, N, S),  // 2512 down heavy and left light
    Arms(S, N, N, S),  // 2513 heavy down and left
    Arms(N, S, S, N),  // 2514 light up and right
    Arms(N, S, S, N),  // 2515 up light and right heavy
    Arms(N, S, S, N),  // 2516 up heavy and right light
    Arms(N, S, S, N),  // 2517 heavy up and right
    Arms(S, N, S, N),  // 2518 light up and left
    Arms(S, N, S, N),  // 2519 up light and left heavy
    Arms(S, N, S, N),  // 251A up heavy and left light
    Arms(S, N, S, N),  // 251B heavy up and left
    Arms(N, S, S, S),  // 251C light vertical and right
    Arms(N, S, S, S),  // 251D vertical light and right heavy
    Arms(N, S, S, S),  // 251E up heavy and right down light
    Arms(N, S, S, S),  // 251F down heavy and right up light
    Arms(N, S, S, S),  // 2520 vertical heavy and right light
    Arms(N, S, S, S),  // 2521 down light and right up heavy
    Arms(N, S, S, S),  // 2522 up light and right down heavy
    Arms(N, S, S, S),  // 2523 heavy vertical and right
    Arms(S, N, S, S),  // 2524 light vertical and left
    Arms(S, N, S, S),  // 2525 vertical light and left heavy
    Arms(S, N, S, S),  // 2526 up heavy and left down light
    Arms(S, N, S, S),  // 2527 down heavy and left up light
    Arms(S, N, S, S),  // 2528 vertical heavy and left light
    Arms(S, N, S, S),  // 2529 down light and left up heavy
    Arms(S, N, S, S),  // 252A up light and left down heavy
    Arms(S, N, S, S),  // 252B heavy vertical and left
    Arms(S, S, N, S),  // 252C light down and horizontal
    Arms(S, S, N, S),  // 252D left heavy and right down light
    Arms(S, S, N, S),  // 252E right heavy and left down light
    Arms(S, S, N, S),  // 252F down light and horizontal heavy
    Arms(S, S, N, S),  // 2530 down heavy and horizontal light
    Arms(S, S, N, S),  // 2531 right light and left down heavy
    Arms(S, S, N, S),  // 2532 left light and right down heavy
    Arms(S, S, N, S),  // 2533 heavy down and horizontal
    Arms(S, S, S, N),  // 2534 light up and horizontal
    Arms(S, S, S, N),  // 2535 left heavy and right up light
    Arms(S, S, S, N),  // 2536 right heavy and left up light
    Arms(S, S, S, N),  // 2537 up light and horizontal heavy
    Arms(S, S, S, N),  // 2538 up heavy and horizontal light
    Arms(S, S, S, N),  // 2539 right light and left up heavy
    Arms(S, S, S, N),  // 253A left light and right up heavy
    Arms(S, S, S, N),  // 253B heavy up and horizontal
    Arms(S, S, S, S),  // 253C light vertical and horizontal
    Arms(S, S, S, S),  // 253D left heavy and right vertical light
    Arms(S, S, S, S),  // 253E right heavy and left vertical light
    Arms(S, S, S, S),  // 253F vertical light and horizontal heavy
    Arms(S, S, S, S),  // 2540 up heavy and down horizontal light
    Arms(S, S, S, S),  // 2541 down heavy and up horizontal light
    Arms(S, S, S, S),  // 2542 vertical heavy and horizontal light
    Arms(S, S, S, S),  // 2543 left up heavy and right down light
    Arms(S, S, S, S),  // 2544 right up heavy and left down light
    Arms(S, S, S, S),  // 2545 left down heavy and right up light
    Arms(S, S, S, S),  // 2546 right down heavy and left up light
    Arms(S, S, S, S),  // 2547 down light and up horizontal heavy
    Arms(S, S, S, S),  // 2548 up light and down horizontal heavy
    Arms(S, S, S, S),  // 2549 right light and left vertical heavy
    Arms(S, S, S, S),  // 254A left light and right vertical heavy
    Arms(S, S, S, S),  // 254B heavy vertical and horizontal
    Arms(S, S, N, N),  // 254C light double dash horizontal
    Arms(S, S, N, N),  // 254D heavy double dash horizontal
    Arms(N, N, S, S),  // 254E light double dash vertical
    Arms(N, N, S, S),  // 254F heavy double dash vertical
    Arms(D, D, N, N),  // 2550 double horizontal
    Arms(N, N, D, D),  // 2551 double vertical
    Arms(N, D, N, S),  // 2552 down single and right double
    Arms(N, S, N, D),  // 2553 down double and right single
    Arms(N, D, N, D),  // 2554 double down and right
    Arms(D, N, N, S),  // 2555 down single and left double
    Arms(S, N, N, D),  // 2556 down double and left single
    Arms(D, N, N, D),  // 2557 double down and left
    Arms(N, D, S, N),  // 2558 up single and right double
    Arms(N, S, D, N),  // 2559 up double and right single
    Arms(N, D, D, N),  // 255A double up and right
    Arms(D, N, S, N),  // 255B up single and left double
    Arms(S, N, D, N),  // 255C up double and left single
    Arms(D, N, D, N),  // 255D double up and left
    Arms(N, D, S, S),  // 255E vertical single and right double
    Arms(N, S, D, D),  // 255F vertical double and right single
    Arms(N, D, D, D),  // 2560 double vertical and right
    Arms(D, N, S, S),  // 2561 vertical single and left double
    Arms(S, N, D, D),  // 2562 vertical double and left single
    Arms(D, N, D, D),  // 2563 double vertical and left
    Arms(D, D, N, S),  // 2564 down single and horizontal double
    Arms(S, S, N, D),  // 2565 down double and horizontal single
    Arms(D, D, N, D),  // 2566 double down and horizontal
    Arms(D, D, S, N),  // 2567 up single and horizontal double
    Arms(S, S, D, N),  // 2568 up double and horizontal single
    Arms(D, D, D, N),  // 2569 double up and horizontal
    Arms(D, D, S, S),  // 256A vertical single and horizontal double
    Arms(S, S, D, D),  // 256B vertical double and horizontal single
    Arms(D, D, D, D),  // 256C double vertical and horizontal
    Arms(N, S, N, S),  // 256D light arc down and right
    Arms(S, N, N, S),  // 256E light arc down and left
    Arms(S, N, S, N),  // 256F light arc up and left
    Arms(N, S, S, N),  // 2570 light arc up and right
    kNoArms,           // 2571 light diagonal upper right to lower left
    kNoArms,           // 2572 light diagonal upper left to lower right
    kNoArms,           // 2573 light diagonal cross
    Arms(S, N, N, N),  // 2574 light left
    Arms(N, N, S, N),  // 2575 light up
    Arms(N, S, N, N),  // 2576 light right
    Arms(N, N, N, S),  // 2577 light down
    Arms(S, N, N, N),  // 2578 heavy left
    Arms(N, N, S, N),  // 2579 heavy up
    Arms(N, S, N, N),  // 257A heavy right
    Arms(N, N, N, S),  // 257B heavy down
    Arms(S, S, N, N),  // 257C light left and heavy right
    Arms(N, N, S, S),  // 257D light up and heavy down
    Arms(S, S, N, N),  // 257E heavy left and light right
    Arms(N, N, S, S),  // 257F heavy up and light down
};

std::optional<Block> BlockOf(char16_t ch) {
  switch (ch) {
    case 0x2580:
      return Block::Upper;
    case 0x2584:
      return Block::Lower;
    case 0x2588:
      return Block::Full;
    case 0x258C:
      return Block::Left;
    case 0x2590:
      return Block::Right;
    case 0x2591:
      return Block::Light;
    case 0x2592:
      return Block::Medium;
    case 0x2593:
      return Block::Dark;
    default:
      return std::nullopt;
  }
}

// Where the lines of a piece lie in its cell.
struct Grid {
  std::int32_t pen = 1;
  std::int32_t gap = 1;    // a double line's two lines lie this far either side of the centre line
  std::int32_t lineX = 0;  // left edge of the vertical centre line
  std::int32_t lineY = 0;  // top edge of the horizontal centre line
};

Grid GridOf(const Rect& cell, std::int32_t penWidth) {
  const std::int32_t w = cell.right - cell.left, h = cell.bottom - cell.top;
  Grid grid;
  grid.pen = std::clamp(penWidth, 1, std::max(1, std::min(w, h)));
  grid.gap = std::max(0, std::min({grid.pen, (w - grid.pen) / 2, (h - grid.pen) / 2}));
  grid.lineX = cell.left + (w - grid.pen) / 2;
  grid.lineY = cell.top + (h - grid.pen) / 2;
  return grid;
}

Arm Wider(Arm a, Arm b) {
  return a > b ? a : b;
}

// How far an arm's line runs past the centre, in its direction of travel, to meet the
// lines across it: `lineOffset` is the line's place across the arm (0 on the centre,
// negative on the side `before`, positive on the side `after`).
std::int32_t Reach(std::int32_t lineOffset, bool opposite, Arm across, bool before, bool after,
                   std::int32_t gap) {
  if (across != Arm::Double) return 0;
  bool nearSide = false;
  if (lineOffset == 0) {
    if (opposite) return 0;  // a single line crossing a double one runs through
    nearSide = before && after;
  } else {
    nearSide = lineOffset < 0 ? before : after;
  }
  return nearSide ? -gap : gap;  // stop at the nearer line, or turn at the farther one
}

// The places of an arm's lines across it: none, the centre, or either side of it.
std::vector<std::int32_t> Offsets(Arm arm, std::int32_t gap) {
  if (arm == Arm::Single) return {0};
  if (arm == Arm::Double) return {-gap, gap};
  return {};
}

void AddLines(std::vector<BoxFill>& fills, const BoxPiece& piece, const Rect& cell, const Grid& g) {
  const Arm acrossH = Wider(piece.up, piece.down), acrossV = Wider(piece.left, piece.right);
  const bool up = piece.up != Arm::None, down = piece.down != Arm::None;
  const bool left = piece.left != Arm::None, right = piece.right != Arm::None;
  for (std::int32_t o : Offsets(piece.left, g.gap)) {
    const std::int32_t r = Reach(o, right, acrossH, up, down, g.gap);
    fills.push_back({{cell.left, g.lineY + o, g.lineX + r + g.pen, g.lineY + o + g.pen}});
  }
  for (std::int32_t o : Offsets(piece.right, g.gap)) {
    const std::int32_t r = Reach(o, left, acrossH, up, down, g.gap);
    fills.push_back({{g.lineX - r, g.lineY + o, cell.right, g.lineY + o + g.pen}});
  }
  for (std::int32_t o : Offsets(piece.up, g.gap)) {
    const std::int32_t r = Reach(o, down, acrossV, left, right, g.gap);
    fills.push_back({{g.lineX + o, cell.top, g.lineX + o + g.pen, g.lineY + r + g.pen}});
  }
  for (std::int32_t o : Offsets(piece.down, g.gap)) {
    const std::int32_t r = Reach(o, up, acrossV, left, right, g.gap);
    fills.push_back({{g.lineX + o, g.lineY - r, g.lineX + o + g.pen, cell.bottom}});
  }
}

void AddBlock(std::vector<BoxFill>& fills, Block block, const Rect& cell) {
  const std::int32_t midX = cell.left + (cell.right - cell.left) / 2;
  const std::int32_t midY = cell.top + (cell.bottom - cell.top) / 2;
  switch (block) {
    case Block::None:
      break;
    case Block::Full:
      fills.push_back({cell});
      break;
    case Block::Upper:
      fills.push_back({{cell.left, cell.top, cell.right, midY}});
      break;
    case Block::Lower:
      fills.push_back({{cell.left, midY, cell.right, cell.bottom}});
      break;
    case Block::Left:
      fills.push_back({{cell.left, cell.top, midX, cell.bottom}});
      break;
    case Block::Right:
      fills.push_back({{midX, cell.top, cell.right, cell.bottom}});
      break;
    // Shades as a quarter, a half and three quarters of ink.
    case Block::Light:
      fills.push_back({cell, 0xBFBFBF});
      break;
    case Block::Medium:
      fills.push_back({cell, 0x808080});
      break;
    case Block::Dark:
      fills.push_back({cell, 0x404040});
      break;
  }
}

}  // namespace

std::optional<BoxPiece> BoxPieceOf(char16_t ch) {
  if (ch >= 0x2500 && ch < 0x2580) {
    const std::uint8_t arms = kLineArms[static_cast<std::size_t>(ch - 0x2500)];
    if (arms == kNoArms) return std::nullopt;
    BoxPiece piece;
    piece.left = static_cast<Arm>(arms & 3);
    piece.right = static_cast<Arm>(arms >> 2 & 3);
    piece.up = static_cast<Arm>(arms >> 4 & 3);
    piece.down = static_cast<Arm>(arms >> 6 & 3);
    return piece;
  }
  if (auto block = BlockOf(ch)) {
    BoxPiece piece;
    piece.block = *block;
    return piece;
  }
  return std::nullopt;
}

std::vector<BoxFill> BoxPieceFills(const BoxPiece& piece, const Rect& cell, std::int32_t penWidth) {
  std::vector<BoxFill> fills;
  if (cell.right <= cell.left || cell.bottom <= cell.top) return fills;
  AddBlock(fills, piece.block, cell);
  AddLines(fills, piece, cell, GridOf(cell, penWidth));
  // A half of a cell one pixel across is nothing.
  std::erase_if(fills, [](const BoxFill& f) {
    return f.rect.right <= f.rect.left || f.rect.bottom <= f.rect.top;
  });
  return fills;
}

void DrawBoxPiece(DeviceContext& dc, const BoxPiece& piece, const Rect& cell,
                  std::int32_t penWidth) {
  std::map<ColorRef, std::unique_ptr<DrawingObject>> brushes;
  for (const BoxFill& fill : BoxPieceFills(piece, cell, penWidth)) {
    std::unique_ptr<DrawingObject>& brush = brushes[fill.colour];
    if (!brush) brush = dc.CreateSolidBrush(fill.colour);
    if (!brush || !dc.FillRect(fill.rect, *brush)) throw EPrinter(kPrintingFailedText);
  }
}

}  // namespace korv
