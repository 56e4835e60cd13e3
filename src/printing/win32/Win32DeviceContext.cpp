#include "printing/win32/Win32DeviceContext.h"

#include "printing/win32/DialogRefusal.h"

#include <cstring>
#include <map>
#include <mutex>
#include <type_traits>

namespace korv::win32 {

namespace {

// GDI calls the abort procedure with the context only; this finds its owner.
std::mutex& RegistryLock() {
  static std::mutex lock;
  return lock;
}

std::map<HDC, Win32DeviceContext*>& Registry() {
  static std::map<HDC, Win32DeviceContext*> contexts;
  return contexts;
}

BOOL CALLBACK AbortThunk(HDC dc, int) {
  Win32DeviceContext* context = nullptr;
  {
    std::lock_guard guard(RegistryLock());
    auto it = Registry().find(dc);
    if (it != Registry().end()) context = it->second;
  }
  try {
    return context && !context->RunAbortProc() ? FALSE : TRUE;
  } catch (...) {
    return TRUE;  // nothing may unwind through GDI
  }
}

int ClampedLength(std::size_t size) {
  constexpr std::size_t kMax = 0x7FFFFFFF;
  return static_cast<int>(size < kMax ? size : kMax);
}
int ClampedLength(std::string_view text) {
  return ClampedLength(text.size());
}

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 is the platform's wide text");
const wchar_t* Wide(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}

// A one-bit image's header with its two colours: 0 is paper, 1 is ink.
struct MonoBitmapInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[2];
};

}  // namespace

Win32DeviceContext::~Win32DeviceContext() {
  if (registered_) {
    std::lock_guard guard(RegistryLock());
    Registry().erase(dc_.Get());
  }
}

bool Win32DeviceContext::RunAbortProc() {
  return abortProc_ ? abortProc_() : true;
}

int Win32DeviceContext::GetDeviceCaps(DeviceCap index) {
  return ::GetDeviceCaps(dc_.Get(), static_cast<int>(index));
}

bool Win32DeviceContext::SetAbortProc(std::function<bool()> proc) {
  abortProc_ = std::move(proc);
  if (!registered_) {
    std::lock_guard guard(RegistryLock());
    Registry()[dc_.Get()] = this;
    registered_ = true;
  }
  return ::SetAbortProc(dc_.Get(), AbortThunk) > 0;
}

int Win32DeviceContext::StartDocA(const std::string& docName, const std::string& output) {
  DOCINFOA info{};
  info.cbSize = static_cast<int>(sizeof(info));
  info.lpszDocName = docName.c_str();
  info.lpszOutput = output.empty() ? nullptr : output.c_str();
  DialogRefusal noDialogs;  // a driver that asks for a file name fails instead
  const int result = ::StartDocA(dc_.Get(), &info);
  if (noDialogs.Refused() == 0) return result;
  // Wine, for one, goes on without the answer: a document whose question went unanswered
  // has nowhere sure to go.
  if (result > 0) ::AbortDoc(dc_.Get());
  return -1;
}

int Win32DeviceContext::StartPage() {
  return ::StartPage(dc_.Get());
}
int Win32DeviceContext::EndPage() {
  return ::EndPage(dc_.Get());
}
int Win32DeviceContext::EndDoc() {
  DialogRefusal noDialogs;
  const int result = ::EndDoc(dc_.Get());
  return noDialogs.Refused() == 0 ? result : -1;
}
int Win32DeviceContext::AbortDoc() {
  return ::AbortDoc(dc_.Get());
}

int Win32DeviceContext::Escape(int escape, const std::string& input) {
  return ::Escape(dc_.Get(), escape, ClampedLength(input), input.data(), nullptr);
}

LOGFONTA ToLOGFONTA(const LogFont& font) {
  LOGFONTA logFont{};
  logFont.lfHeight = font.height;
  logFont.lfWidth = font.width;
  logFont.lfEscapement = font.escapement;
  logFont.lfOrientation = font.orientation;
  logFont.lfWeight = font.weight;
  logFont.lfItalic = static_cast<BYTE>(font.italic ? 1 : 0);
  logFont.lfUnderline = static_cast<BYTE>(font.underline ? 1 : 0);
  logFont.lfStrikeOut = static_cast<BYTE>(font.strikeOut ? 1 : 0);
  logFont.lfCharSet = font.charSet;
  logFont.lfOutPrecision = font.outPrecision;
  logFont.lfClipPrecision = font.clipPrecision;
  logFont.lfQuality = font.quality;
  logFont.lfPitchAndFamily = font.pitchAndFamily;
  std::size_t length = font.faceName.size() < sizeof(logFont.lfFaceName) - 1
                           ? font.faceName.size()
                           : sizeof(logFont.lfFaceName) - 1;
  std::memcpy(logFont.lfFaceName, font.faceName.data(), length);
  return logFont;
}

std::unique_ptr<DrawingObject> Win32DeviceContext::CreateFontIndirectA(const LogFont& font) {
  const LOGFONTA logFont = ToLOGFONTA(font);
  HFONT handle = ::CreateFontIndirectA(&logFont);
  if (!handle) return nullptr;
  return std::make_unique<Win32DrawingObject>(Win32DrawingObject::Kind::Font, handle);
}

std::unique_ptr<DrawingObject> Win32DeviceContext::CreatePen(std::int32_t width, ColorRef colour) {
  HPEN handle = ::CreatePen(PS_SOLID, width, colour);
  if (!handle) return nullptr;
  return std::make_unique<Win32DrawingObject>(Win32DrawingObject::Kind::Pen, handle);
}

std::unique_ptr<DrawingObject> Win32DeviceContext::CreateSolidBrush(ColorRef colour) {
  HBRUSH handle = ::CreateSolidBrush(colour);
  if (!handle) return nullptr;
  return std::make_unique<Win32DrawingObject>(Win32DrawingObject::Kind::Brush, handle);
}

bool Win32DeviceContext::SelectObject(DrawingObject& object) {
  auto* gdi = dynamic_cast<Win32DrawingObject*>(&object);
  if (!gdi || gdi->ObjectKind() == Win32DrawingObject::Kind::Brush) return false;
  HGDIOBJ previous = ::SelectObject(dc_.Get(), gdi->Get());
  if (SelectionFailed(previous)) return false;
  SelectedObject& restore =
      gdi->ObjectKind() == Win32DrawingObject::Kind::Font ? fontRestore_ : penRestore_;
  if (!restore) restore = SelectedObject::Restoring(dc_.Get(), previous);
  return true;
}

bool Win32DeviceContext::GetTextMetricsA(TextMetric& out) {
  TEXTMETRICA metric{};
  if (!::GetTextMetricsA(dc_.Get(), &metric)) return false;
  out.height = metric.tmHeight;
  out.aveCharWidth = metric.tmAveCharWidth;
  out.internalLeading = metric.tmInternalLeading;
  return true;
}

bool Win32DeviceContext::GetTextExtentPointA(std::string_view text, Size& out) {
  SIZE size{};
  if (!::GetTextExtentPointA(dc_.Get(), text.data(), ClampedLength(text), &size)) return false;
  out.cx = size.cx;
  out.cy = size.cy;
  return true;
}

bool Win32DeviceContext::SetBkMode(BackgroundMode mode) {
  return ::SetBkMode(dc_.Get(), static_cast<int>(mode)) != 0;
}

bool Win32DeviceContext::TextOutA(std::int32_t x, std::int32_t y, std::string_view text) {
  return ::TextOutA(dc_.Get(), x, y, text.data(), ClampedLength(text)) != FALSE;
}

bool Win32DeviceContext::ExtTextOutA(std::int32_t x, std::int32_t y, std::string_view text,
                                     std::span<const std::int32_t> advances) {
  static_assert(std::is_same_v<INT, std::int32_t>);
  if (advances.size() < text.size()) return false;  // GDI would read past the array
  return ::ExtTextOutA(dc_.Get(), x, y, 0, nullptr, text.data(),
                       static_cast<UINT>(ClampedLength(text)), advances.data()) != FALSE;
}

bool Win32DeviceContext::ExtTextOutW(std::int32_t x, std::int32_t y, std::u16string_view text,
                                     std::span<const std::int32_t> advances) {
  if (advances.size() < text.size()) return false;
  return ::ExtTextOutW(dc_.Get(), x, y, 0, nullptr, Wide(text),
                       static_cast<UINT>(ClampedLength(text.size())), advances.data()) != FALSE;
}

bool Win32DeviceContext::GetTextExtentPointW(std::u16string_view text, Size& out) {
  SIZE size{};
  if (!::GetTextExtentPoint32W(dc_.Get(), Wide(text), ClampedLength(text.size()), &size))
    return false;
  out.cx = size.cx;
  out.cy = size.cy;
  return true;
}

bool Win32DeviceContext::DrawMonoImage(const Rect& destination, const MonoImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.bits.size() <
          static_cast<std::size_t>(image.stride()) * static_cast<std::size_t>(image.height))
    return false;
  MonoBitmapInfo info{};
  info.header.biSize = sizeof(info.header);
  info.header.biWidth = image.width;
  info.header.biHeight = -image.height;  // rows top down
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = 2;
  info.colours[0] = {0xFF, 0xFF, 0xFF, 0};
  info.colours[1] = {0, 0, 0, 0};
  // AND with the page: ink darkens, paper leaves what is already drawn.
  const int lines = ::StretchDIBits(
      dc_.Get(), destination.left, destination.top, destination.right - destination.left,
      destination.bottom - destination.top, 0, 0, image.width, image.height, image.bits.data(),
      reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCAND);
  return lines != 0 && lines != static_cast<int>(GDI_ERROR);
}

bool Win32DeviceContext::MoveToEx(std::int32_t x, std::int32_t y) {
  return ::MoveToEx(dc_.Get(), x, y, nullptr) != FALSE;
}

bool Win32DeviceContext::LineTo(std::int32_t x, std::int32_t y) {
  return ::LineTo(dc_.Get(), x, y) != FALSE;
}

bool Win32DeviceContext::FillRect(const Rect& rect, DrawingObject& brush) {
  auto* gdi = dynamic_cast<Win32DrawingObject*>(&brush);
  if (!gdi || gdi->ObjectKind() != Win32DrawingObject::Kind::Brush) return false;
  RECT area{rect.left, rect.top, rect.right, rect.bottom};
  return ::FillRect(dc_.Get(), &area, static_cast<HBRUSH>(gdi->Get())) != 0;
}

}  // namespace korv::win32
