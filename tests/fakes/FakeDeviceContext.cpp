#include "fakes/FakeDeviceContext.h"

#include <algorithm>
#include <cstdlib>

namespace korv::fakes {

int FakeDeviceLog::Count(const std::string& call) const {
  return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

bool FakeDeviceLog::ImageCall::Ink(std::int32_t x, std::int32_t y) const {
  const std::int32_t stride = MonoImage::Stride(width);
  return (bits[static_cast<std::size_t>(y * stride + x / 8)] >> (7 - x % 8) & 1) != 0;
}

int FakeDeviceLog::ImageCall::InkCount() const {
  int count = 0;
  for (std::int32_t y = 0; y < height; ++y)
    for (std::int32_t x = 0; x < width; ++x) count += Ink(x, y) ? 1 : 0;
  return count;
}

FakeDrawingObject::~FakeDrawingObject() {
  --log_.objectsAlive;
  if (selectedIn > 0) ++log_.deletedWhileSelected;
}

FakeDeviceContext::FakeDeviceContext(FakeDeviceLog& log, std::map<DeviceCap, int> caps,
                                     std::string description)
    : log_(log), caps_(std::move(caps)), description_(std::move(description)) {
  ++log_.contextsAlive;
}

FakeDeviceContext::~FakeDeviceContext() {
  // Like the platform adapter: the original objects go back in before the context goes.
  Hold(font_, nullptr);
  Hold(pen_, nullptr);
  --log_.contextsAlive;
}

void FakeDeviceContext::Hold(FakeDrawingObject*& slot, FakeDrawingObject* object) {
  if (slot) --slot->selectedIn;
  slot = object;
  if (slot) ++slot->selectedIn;
}

int FakeDeviceContext::GetDeviceCaps(DeviceCap index) {
  ++log_.capsQueries[index];
  if (log_.Fails("GetDeviceCaps")) return 0;
  auto it = caps_.find(index);
  return it == caps_.end() ? 0 : it->second;
}

bool FakeDeviceContext::SetAbortProc(std::function<bool()> proc) {
  log_.calls.push_back("SetAbortProc");
  if (log_.Fails("SetAbortProc")) return false;
  abortProc_ = std::move(proc);
  return true;
}

int FakeDeviceContext::StartDocA(const std::string& docName, const std::string& output) {
  log_.calls.push_back("StartDocA");
  log_.outputs.push_back(output);
  if (log_.Fails("StartDocA")) return -1;
  log_.documents.push_back(docName);
  return static_cast<int>(log_.documents.size());
}

int FakeDeviceContext::StartPage() {
  log_.calls.push_back("StartPage");
  if (log_.Fails("StartPage")) return -1;
  ++log_.page;
  background_ = BackgroundMode::Opaque;
  return 1;
}

int FakeDeviceContext::EndPage() {
  log_.calls.push_back("EndPage");
  RunAbortProc();
  return log_.Fails("EndPage") ? -1 : 1;
}

int FakeDeviceContext::EndDoc() {
  log_.calls.push_back("EndDoc");
  return log_.Fails("EndDoc") ? -1 : 1;
}

int FakeDeviceContext::AbortDoc() {
  log_.calls.push_back("AbortDoc");
  return log_.Fails("AbortDoc") ? -1 : 1;
}

int FakeDeviceContext::Escape(int escape, const std::string& input) {
  log_.calls.push_back("Escape");
  if (log_.Fails("Escape")) return -1;
  log_.escapes.push_back({escape, input});
  return static_cast<int>(input.size());
}

std::unique_ptr<DrawingObject> FakeDeviceContext::CreateFontIndirectA(const LogFont& font) {
  if (log_.Fails("CreateFontIndirectA")) return nullptr;
  ++log_.fontsCreated;
  auto object = std::make_unique<FakeDrawingObject>(log_, FakeDrawingObject::Kind::Font);
  object->font = font;
  return object;
}

std::unique_ptr<DrawingObject> FakeDeviceContext::CreatePen(std::int32_t width, ColorRef colour) {
  if (log_.Fails("CreatePen")) return nullptr;
  ++log_.pensCreated;
  auto object = std::make_unique<FakeDrawingObject>(log_, FakeDrawingObject::Kind::Pen);
  object->penWidth = width;
  object->colour = colour;
  return object;
}

std::unique_ptr<DrawingObject> FakeDeviceContext::CreateSolidBrush(ColorRef colour) {
  if (log_.Fails("CreateSolidBrush")) return nullptr;
  ++log_.brushesCreated;
  auto object = std::make_unique<FakeDrawingObject>(log_, FakeDrawingObject::Kind::Brush);
  object->colour = colour;
  return object;
}

bool FakeDeviceContext::SelectObject(DrawingObject& object) {
  if (log_.Fails("SelectObject")) return false;
  auto* fake = dynamic_cast<FakeDrawingObject*>(&object);
  if (!fake || fake->kind == FakeDrawingObject::Kind::Brush) return false;
  Hold(fake->kind == FakeDrawingObject::Kind::Font ? font_ : pen_, fake);
  return true;
}

TextMetric FakeDeviceContext::Metrics() const {
  std::int32_t height = font_ ? std::abs(font_->font.height) : 0;
  if (height == 0) height = 16;
  std::int32_t width = height * log_.widthNumerator / log_.widthDenominator;
  // A width asked for is kept, as by a scalable font.
  if (font_ && font_->font.width > 0 && !log_.fontsIgnoreWidth) width = font_->font.width;
  return {height, width, height * log_.leadingNumerator / log_.leadingDenominator};
}

bool FakeDeviceContext::GetTextMetricsA(TextMetric& out) {
  ++log_.textMetricsCalls;
  if (log_.Fails("GetTextMetricsA")) return false;
  out = Metrics();
  return true;
}

bool FakeDeviceContext::GetTextExtentPointA(std::string_view text, Size& out) {
  TextMetric metric = Metrics();
  log_.measures.push_back({std::string(text), metric.height});
  if (log_.Fails("GetTextExtentPointA")) return false;
  out = {static_cast<std::int32_t>(text.size()) * metric.aveCharWidth, metric.height};
  return true;
}

bool FakeDeviceContext::SetBkMode(BackgroundMode mode) {
  if (log_.Fails("SetBkMode")) return false;
  background_ = mode;
  return true;
}

bool FakeDeviceContext::TextOutA(std::int32_t x, std::int32_t y, std::string_view text) {
  if (log_.Fails("TextOutA")) return false;
  const LogFont font = font_ ? font_->font : LogFont{};
  log_.texts.push_back({log_.page, {x, y}, std::string(text), font, background_});
  log_.textCalls.push_back({log_.page, {x, y}, std::string(text), {}, font});
  return true;
}

bool FakeDeviceContext::ExtTextOutA(std::int32_t x, std::int32_t y, std::string_view text,
                                    std::span<const std::int32_t> advances) {
  if (log_.Fails("ExtTextOutA") || advances.size() < text.size()) return false;
  const LogFont font = font_ ? font_->font : LogFont{};
  log_.textCalls.push_back({log_.page,
                            {x, y},
                            std::string(text),
                            {advances.begin(), advances.begin() + std::ssize(text)},
                            font});
  std::int32_t at = x;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != ' ')
      log_.texts.push_back({log_.page, {at, y}, std::string(1, text[i]), font, background_});
    at += advances[i];
  }
  return true;
}

bool FakeDeviceContext::ExtTextOutW(std::int32_t x, std::int32_t y, std::u16string_view text,
                                    std::span<const std::int32_t> advances) {
  if (log_.Fails("ExtTextOutW") || advances.size() < text.size()) return false;
  const LogFont font = font_ ? font_->font : LogFont{};
  log_.wideCalls.push_back({log_.page,
                            {x, y},
                            std::u16string(text),
                            {advances.begin(), advances.begin() + std::ssize(text)},
                            font});
  std::int32_t at = x;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u' ') log_.wideTexts.push_back({log_.page, {at, y}, text[i], font});
    at += advances[i];
  }
  return true;
}

bool FakeDeviceContext::GetTextExtentPointW(std::u16string_view text, Size& out) {
  if (log_.Fails("GetTextExtentPointW")) return false;
  TextMetric metric = Metrics();
  out = {static_cast<std::int32_t>(text.size()) * metric.aveCharWidth, metric.height};
  return true;
}

bool FakeDeviceContext::DrawMonoImage(const Rect& destination, const MonoImage& image) {
  const auto size = static_cast<std::size_t>(image.stride()) *
                    static_cast<std::size_t>(std::max(image.height, 0));
  if (log_.Fails("DrawMonoImage") || image.width <= 0 || image.bits.size() < size) return false;
  log_.images.push_back(
      {log_.page,
       destination,
       image.width,
       image.height,
       {image.bits.begin(), image.bits.begin() + static_cast<std::ptrdiff_t>(size)}});
  return true;
}

bool FakeDeviceContext::MoveToEx(std::int32_t x, std::int32_t y) {
  if (log_.Fails("MoveToEx")) return false;
  position_ = {x, y};
  return true;
}

bool FakeDeviceContext::LineTo(std::int32_t x, std::int32_t y) {
  if (log_.Fails("LineTo")) return false;
  log_.lines.push_back(
      {log_.page, position_, {x, y}, pen_ ? pen_->penWidth : 1, pen_ ? pen_->colour : kBlack});
  position_ = {x, y};
  return true;
}

bool FakeDeviceContext::FillRect(const Rect& rect, DrawingObject& brush) {
  if (log_.Fails("FillRect")) return false;
  auto* fake = dynamic_cast<FakeDrawingObject*>(&brush);
  log_.fills.push_back({log_.page, rect, fake ? fake->colour : kWhite});
  return true;
}

}  // namespace korv::fakes
