#pragma once
// A printer context in memory. It draws nothing; it records what it was asked, page by
// page, into a log shared by every context of one fake print system, and can be told to
// fail any call by its name ("StartDocA", "EndPage", "TextOutA", ...).
// Its fonts have known metrics: the cell height is the logical font's height (its
// magnitude; 16 when 0), the average width is height * widthNumerator / widthDenominator,
// and a text's extent is its length in average widths by the cell height. Every drawn
// character lands in `texts` where it is placed; `textCalls` holds the calls as made.
// Like a context on Windows 9x, a page start puts the background mode back to its default,
// opaque.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "printing/DeviceContext.h"

namespace korv::fakes {

struct FakeDeviceLog {
  struct TextOutCall {
    int page = 0;
    Point at;
    std::string text;
    LogFont font;
    BackgroundMode background = BackgroundMode::Opaque;
  };
  // One TextOutA or ExtTextOutA call; `advances` is empty for TextOutA.
  struct TextCall {
    int page = 0;
    Point at;
    std::string text;
    std::vector<std::int32_t> advances;
    LogFont font;
  };
  // One ExtTextOutW call; each of its characters also lands in `wideTexts`.
  struct WideTextCall {
    int page = 0;
    Point at;
    std::u16string text;
    std::vector<std::int32_t> advances;
    LogFont font;
  };
  struct WideChar {
    int page = 0;
    Point at;
    char16_t ch = 0;
    LogFont font;
  };
  struct ImageCall {
    int page = 0;
    Rect destination;
    std::int32_t width = 0, height = 0;
    std::vector<std::uint8_t> bits;
    // Whether the image's pixel (x, y) is ink.
    bool Ink(std::int32_t x, std::int32_t y) const;
    int InkCount() const;
  };
  struct LineCall {
    int page = 0;
    Point from, to;
    std::int32_t penWidth = 0;
    ColorRef colour = 0;
  };
  struct FillCall {
    int page = 0;
    Rect rect;
    ColorRef colour = 0;
  };
  struct Measure {
    std::string text;
    std::int32_t fontHeight = 0;
  };
  struct EscapeCall {
    int escape = 0;
    std::string input;
  };

  // Names of the calls in order ("StartDocA", "StartPage", "EndPage", "EndDoc", "AbortDoc",
  // "SetAbortProc", "Escape"); drawing and measuring are kept apart below.
  std::vector<std::string> calls;
  std::vector<std::string> documents;  // names given to StartDocA
  std::vector<std::string> outputs;    // output files given to StartDocA ("" for none)
  // Characters as placed: a TextOutA call's text whole; each character of an ExtTextOutA
  // call at its own place, spaces left out (they draw nothing).
  std::vector<TextOutCall> texts;
  std::vector<TextCall> textCalls;
  std::vector<WideTextCall> wideCalls;
  std::vector<WideChar> wideTexts;  // spaces left out, as in `texts`
  std::vector<ImageCall> images;
  std::vector<LineCall> lines;
  std::vector<FillCall> fills;
  std::vector<EscapeCall> escapes;
  std::vector<Measure> measures;  // texts given to GetTextExtentPointA
  std::map<DeviceCap, int> capsQueries;
  int page = 0;  // pages started so far; drawing is recorded on this page
  int fontsCreated = 0, pensCreated = 0, brushesCreated = 0;
  int textMetricsCalls = 0;
  int objectsAlive = 0, contextsAlive = 0;
  int deletedWhileSelected = 0;  // objects destroyed while a live context still held them

  std::set<std::string> failing;
  std::uint32_t lastError = 0;  // what LastError reports after a failing call
  int widthNumerator = 3, widthDenominator = 5;
  // A font's internal leading is its cell height * leadingNumerator / leadingDenominator.
  int leadingNumerator = 1, leadingDenominator = 8;
  bool fontsIgnoreWidth = false;  // a face that takes no width: lfWidth changes nothing

  bool Fails(const std::string& call) const { return failing.count(call) != 0; }
  int Count(const std::string& call) const;
};

class FakeDrawingObject : public DrawingObject {
 public:
  enum class Kind { Font, Pen, Brush };
  FakeDrawingObject(FakeDeviceLog& log, Kind objectKind) : log_(log), kind(objectKind) {
    ++log_.objectsAlive;
  }
  ~FakeDrawingObject() override;

  FakeDeviceLog& log_;
  Kind kind;
  LogFont font;
  std::int32_t penWidth = 0;
  ColorRef colour = 0;
  int selectedIn = 0;  // live contexts that hold it selected
};

class FakeDeviceContext : public DeviceContext {
 public:
  FakeDeviceContext(FakeDeviceLog& log, std::map<DeviceCap, int> caps, std::string description);
  ~FakeDeviceContext() override;

  const std::string& Description() const { return description_; }
  // Runs the installed abort procedure as the platform does while a page is spooled.
  bool RunAbortProc() { return abortProc_ ? abortProc_() : true; }

  int GetDeviceCaps(DeviceCap index) override;
  bool SetAbortProc(std::function<bool()> proc) override;
  int StartDocA(const std::string& docName, const std::string& output) override;
  int StartPage() override;
  int EndPage() override;
  int EndDoc() override;
  std::uint32_t LastError() override { return log_.lastError; }
  int AbortDoc() override;
  int Escape(int escape, const std::string& input) override;
  std::unique_ptr<DrawingObject> CreateFontIndirectA(const LogFont& font) override;
  std::unique_ptr<DrawingObject> CreatePen(std::int32_t width, ColorRef colour) override;
  std::unique_ptr<DrawingObject> CreateSolidBrush(ColorRef colour) override;
  bool SelectObject(DrawingObject& object) override;
  bool SetBkMode(BackgroundMode mode) override;
  bool GetTextMetricsA(TextMetric& out) override;
  bool GetTextExtentPointA(std::string_view text, Size& out) override;
  bool TextOutA(std::int32_t x, std::int32_t y, std::string_view text) override;
  bool ExtTextOutA(std::int32_t x, std::int32_t y, std::string_view text,
                   std::span<const std::int32_t> advances) override;
  bool ExtTextOutW(std::int32_t x, std::int32_t y, std::u16string_view text,
                   std::span<const std::int32_t> advances) override;
  bool GetTextExtentPointW(std::u16string_view text, Size& out) override;
  bool DrawMonoImage(const Rect& destination, const MonoImage& image) override;
  bool MoveToEx(std::int32_t x, std::int32_t y) override;
  bool LineTo(std::int32_t x, std::int32_t y) override;
  bool FillRect(const Rect& rect, DrawingObject& brush) override;

 private:
  TextMetric Metrics() const;
  void Hold(FakeDrawingObject*& slot, FakeDrawingObject* object);

  FakeDeviceLog& log_;
  std::map<DeviceCap, int> caps_;
  std::string description_;
  std::function<bool()> abortProc_;
  FakeDrawingObject* font_ = nullptr;
  FakeDrawingObject* pen_ = nullptr;
  Point position_;
  BackgroundMode background_ = BackgroundMode::Opaque;
};

}  // namespace korv::fakes
