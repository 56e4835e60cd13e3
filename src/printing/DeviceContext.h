#pragma once
// A printer device or information context as the printer object sees it. The Win32
// adapter maps each call 1:1 onto the GDI function of the same name and reports its
// result unchanged; the printer object decides what a failure means.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace korv {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A colour as 0x00BBGGRR.
using ColorRef = std::uint32_t;
inline constexpr ColorRef kBlack = 0x000000;
inline constexpr ColorRef kWhite = 0xFFFFFF;

// GetDeviceCaps indexes the printer object reads.
enum class DeviceCap : int {
  HorzRes = 8,
  VertRes = 10,
  LogPixelsX = 88,
  LogPixelsY = 90,
  PhysicalWidth = 110,  // the whole sheet, in device pixels
  PhysicalHeight = 111,
  PhysicalOffsetX = 112,  // from the sheet's edge to the printable area's
  PhysicalOffsetY = 113,
};

// How text output treats the background of its character cells.
enum class BackgroundMode : int {
  Transparent = 1,  // only the glyphs are drawn
  Opaque = 2,       // each cell is first filled with the background colour
};

// The escape that hands bytes to the printer untouched.
inline constexpr int kPassThrough = 19;

// Font weights and pitches as the platform's logical font carries them.
inline constexpr std::int32_t kWeightNormal = 400;
inline constexpr std::int32_t kWeightBold = 700;
inline constexpr std::uint8_t kDefaultCharset = 1;
inline constexpr std::size_t kFaceNameMax = 31;  // LF_FACESIZE less its NUL

// The platform's logical font, field for field.
struct LogFont {
  std::int32_t height = 0;  // > 0: cell height, < 0: character height, in device pixels
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = kWeightNormal;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint8_t charSet = kDefaultCharset;
  std::uint8_t outPrecision = 0;
  std::uint8_t clipPrecision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitchAndFamily = 0;
  std::string faceName;  // at most kFaceNameMax bytes reach the platform
  friend bool operator==(const LogFont&, const LogFont&) = default;
};

// The measures of a font the text device and the font fitting use.
struct TextMetric {
  std::int32_t height = 0;  // the cell: ascent plus descent
  std::int32_t aveCharWidth = 0;
  std::int32_t internalLeading = 0;  // room for accents inside the cell, above the letters
};

// A one-bit-per-pixel image, rows top down, each row `stride` bytes (a multiple of four),
// the leftmost pixel in a byte's highest bit. A set bit is ink (black), a clear one leaves
// the page as it was.
struct MonoImage {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::span<const std::uint8_t> bits;  // height * stride bytes

  static constexpr std::int32_t Stride(std::int32_t width) { return (width + 31) / 32 * 4; }
  std::int32_t stride() const { return Stride(width); }
};

// A font, pen or brush made for drawing; destroying it deletes it. It must not be
// destroyed while selected: select its successor first.
class DrawingObject {
 public:
  virtual ~DrawingObject() = default;
};

class DeviceContext {
 public:
  virtual ~DeviceContext() = default;

  virtual int GetDeviceCaps(DeviceCap index) = 0;

  // Installs `proc` as the document's abort procedure; it returns true to go on printing.
  virtual bool SetAbortProc(std::function<bool()> proc) = 0;
  // A document named `docName` (passed as given), printed to the device, or into the file
  // `output` when it is not empty.
  virtual int StartDocA(const std::string& docName, const std::string& output) = 0;
  virtual int StartPage() = 0;
  virtual int EndPage() = 0;
  virtual int EndDoc() = 0;
  virtual int AbortDoc() = 0;
  // The platform's error code of the call that just failed on this thread (GetLastError).
  virtual std::uint32_t LastError() = 0;
  // A printer escape with `input` as its input block and no output.
  virtual int Escape(int escape, const std::string& input) = 0;

  // Null when the platform refuses to make the object.
  virtual std::unique_ptr<DrawingObject> CreateFontIndirectA(const LogFont& font) = 0;
  virtual std::unique_ptr<DrawingObject> CreatePen(std::int32_t width, ColorRef color) = 0;
  virtual std::unique_ptr<DrawingObject> CreateSolidBrush(ColorRef color) = 0;
  // Selects a font or pen made by any context of the same platform. The context puts
  // back what it held originally before it is deleted.
  virtual bool SelectObject(DrawingObject& object) = 0;

  virtual bool SetBkMode(BackgroundMode mode) = 0;
  virtual bool GetTextMetricsA(TextMetric& out) = 0;
  virtual bool GetTextExtentPointA(std::string_view text, Size& out) = 0;
  virtual bool TextOutA(std::int32_t x, std::int32_t y, std::string_view text) = 0;
  // The text's characters from (x, y), each `advances[i]` after the one before; `advances`
  // holds one value per character.
  virtual bool ExtTextOutA(std::int32_t x, std::int32_t y, std::string_view text,
                           std::span<const std::int32_t> advances) = 0;
  // The wide-character form: UTF-16 text, one advance per UTF-16 unit.
  virtual bool ExtTextOutW(std::int32_t x, std::int32_t y, std::u16string_view text,
                           std::span<const std::int32_t> advances) = 0;
  virtual bool GetTextExtentPointW(std::u16string_view text, Size& out) = 0;
  // Draws `image` stretched onto `destination`, its ink only (one call per image).
  virtual bool DrawMonoImage(const Rect& destination, const MonoImage& image) = 0;
  virtual bool MoveToEx(std::int32_t x, std::int32_t y) = 0;
  virtual bool LineTo(std::int32_t x, std::int32_t y) = 0;
  virtual bool FillRect(const Rect& rect, DrawingObject& brush) = 0;
};

}  // namespace korv
