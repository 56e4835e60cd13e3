#pragma once
// EPrinter: the error the printer object (TPrinter) raises, with its fixed texts.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace korv {

inline constexpr const char* kNotPrintingText = "Printer is not currently printing";
inline constexpr const char* kPrintingInProgressText = "Printing in progress";
inline constexpr const char* kInvalidPrinterText = "Printer selected is not valid";
inline constexpr const char* kIndexOutOfRangeText = "Printer index out of range";
inline constexpr const char* kNotSupportedText = "Operation not supported on selected printer";
inline constexpr const char* kNoDefaultPrinterText =
    "There is no default printer currently selected";
// The printer refused a document or a page: what was sent may not have printed.
inline constexpr const char* kPrintingFailedText = "Printing failed";

class EPrinter : public std::runtime_error {
 public:
  explicit EPrinter(const std::string& text) : std::runtime_error(text) {}
  // `detail`: which call failed and what the system said, for the status line; the
  // fixed text stays the message.
  EPrinter(const std::string& text, std::string detail)
      : std::runtime_error(text), detail_(std::move(detail)) {}

  const std::string& Detail() const { return detail_; }

  // An operating-system failure: its code and the system's text for it, or the generic
  // text when there is no code.
  static EPrinter FromOsError(std::uint32_t code, const std::string& systemText);

 private:
  std::string detail_;
};

}  // namespace korv
