#pragma once
// The device-context port on GDI: each call is the GDI function of the same name on the
// owned context.
#include <windows.h>

#include "printing/DeviceContext.h"
#include "win32/SelectedObject.h"
#include "win32/UniqueHandle.h"

namespace korv::win32 {

// The platform's description of `font`, the face name cut to what fits.
LOGFONTA ToLOGFONTA(const LogFont& font);

// A font, pen or brush made by GDI.
class Win32DrawingObject : public DrawingObject {
 public:
  enum class Kind { Font, Pen, Brush };
  Win32DrawingObject(Kind kind, HGDIOBJ object) : kind_(kind), object_(object) {}
  Kind ObjectKind() const { return kind_; }
  HGDIOBJ Get() const { return object_.Get(); }

 private:
  Kind kind_;
  UniqueGdiObject object_;
};

class Win32DeviceContext : public DeviceContext {
 public:
  explicit Win32DeviceContext(UniqueDc dc) : dc_(std::move(dc)) {}
  ~Win32DeviceContext() override;

  int GetDeviceCaps(DeviceCap index) override;
  bool SetAbortProc(std::function<bool()> proc) override;
  int StartDocA(const std::string& docName, const std::string& output) override;
  int StartPage() override;
  int EndPage() override;
  int EndDoc() override;
  int AbortDoc() override;
  std::uint32_t LastError() override { return ::GetLastError(); }
  int Escape(int escape, const std::string& input) override;
  std::unique_ptr<DrawingObject> CreateFontIndirectA(const LogFont& font) override;
  std::unique_ptr<DrawingObject> CreatePen(std::int32_t width, ColorRef colour) override;
  std::unique_ptr<DrawingObject> CreateSolidBrush(ColorRef colour) override;
  bool SelectObject(DrawingObject& object) override;
  bool GetTextMetricsA(TextMetric& out) override;
  bool GetTextExtentPointA(std::string_view text, Size& out) override;
  bool SetBkMode(BackgroundMode mode) override;
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

  // The installed abort procedure's answer; true when there is none.
  bool RunAbortProc();

 private:
  // Declared first, destroyed last: the originals go back in before DeleteDC.
  UniqueDc dc_;
  SelectedObject fontRestore_;
  SelectedObject penRestore_;
  std::function<bool()> abortProc_;
  bool registered_ = false;
};

}  // namespace korv::win32
