#pragma once
// The pitch, line spacing and boldness of text jobs, and the printer font fitted to them.
#include <atomic>
#include <compare>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "base/ServiceFlags.h"
#include "printing/TPrinter.h"
#include "settings/Profile.h"

namespace korv {

inline constexpr std::uint16_t kMinCpi = 9, kMaxCpi = 20;
inline constexpr std::uint16_t kMinLpi = 1, kMaxLpi = 12;

// A pitch or line spacing brought within its limits.
std::uint16_t LimitedCpi(int cpi);
std::uint16_t LimitedLpi(int lpi);

// What fixes a fitted font height: the printer and its resolution, the face, the pitch
// asked for and the weight. Fitting is deterministic for these, so a result is reused.
struct FontFitKey {
  std::string printer;
  std::string face;
  std::uint8_t charset = 0;
  std::uint8_t pitch = 0;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::int32_t pixelsX = 0;
  std::int32_t pixelsY = 0;
  std::uint16_t cpi = 0;
  bool bold = false;

  friend auto operator<=>(const FontFitKey&, const FontFitKey&) = default;
};

// The printer font for a fitted height and a line height: the fitted font itself when its
// letters fit the line, else one as high as the line with the fitted font's width.
struct FontShape {
  std::int32_t height = 0;
  std::int32_t width = 0;  // 0: the face's own width for the height
};

struct FontShapeKey {
  FontFitKey fit;
  std::int32_t lineHeight = 0;

  friend auto operator<=>(const FontShapeKey&, const FontShapeKey&) = default;
};

// Requested metrics come from the job's control codes; applied ones were last given to
// SetTextMetrics. The print thread uses them during a job; the font choice resets them
// from the window thread between jobs.
struct TextMetrics {
  std::atomic<std::uint16_t> requestedCpi{10};
  std::atomic<std::uint16_t> requestedLpi{6};
  std::atomic<bool> requestedBold{false};
  std::atomic<std::uint16_t> appliedCpi{10};
  std::atomic<std::uint16_t> appliedLpi{6};
  std::atomic<bool> appliedBold{false};

  std::mutex fitLock;  // taken inside the printer object's lock
  std::map<FontFitKey, std::int32_t> fittedHeights;
  std::map<FontShapeKey, FontShape> fittedShapes;
};

// Limits and records the applied metrics; while Printing is set it also fits the printer
// font to `cpi` and sets the printer object's LineHeight for `lpi`.
void SetTextMetrics(TextMetrics& metrics, TPrinter& printer, const ServiceFlags& flags, int lpi,
                    int cpi, bool bold);

// The document title "Korvelane", and 10 characters and 6 lines per inch, not bold.
void ResetTextMetrics(TextMetrics& metrics, TPrinter& printer, const ServiceFlags& flags);

// Makes `face` (DEFAULT_CHARSET, default pitch, 10 points) the printer font.
void SetPrinterFont(TPrinterCanvas& canvas, const std::string& face);
// The print thread's start font: the face from the profile key "Font" (default
// "Courier New"), set as the printer font. Returns the face.
std::string CreatePrinterFont(Profile& profile, TPrinterCanvas& canvas);

}  // namespace korv
