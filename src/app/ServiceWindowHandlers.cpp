#include "app/ServiceWindowHandlers.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/ServiceConstants.h"
namespace korv {

namespace {

// settingsOpen for exactly as long as a settings dialog and its outcome are in hand,
// also when either throws.
class SettingsOpenScope {
 public:
  explicit SettingsOpenScope(ServiceFlags& flags) : flags_(flags) { flags_.settingsOpen = true; }
  ~SettingsOpenScope() { flags_.settingsOpen = false; }
  SettingsOpenScope(const SettingsOpenScope&) = delete;
  SettingsOpenScope& operator=(const SettingsOpenScope&) = delete;

 private:
  ServiceFlags& flags_;
};

constexpr std::uint8_t kScreenCentre = 6;  // keypad placement

std::uint16_t ToCount(std::size_t n) {
  return static_cast<std::uint16_t>(std::min<std::size_t>(n, UINT16_MAX));
}

}  // namespace

void ServiceWindowHandlers::SelectPrinter() {
  SettingsOpenScope open(d_.state.flags);
  const std::vector<std::string> printers = d_.printer.PrinterList();
  // With no printers there is no current one; asking would only raise "no default printer".
  std::uint16_t initial = 0;
  if (!printers.empty()) {
    const int current = d_.printer.SelectedIndex();
    if (current >= 0 && current < UINT16_MAX) initial = static_cast<std::uint16_t>(current + 1);
  }
  const std::uint16_t count = ToCount(printers.size());
  const std::int16_t r =
      d_.listSelector.SelectFromList(count, initial, "printer", printers, kScreenCentre);
  if (r > 0 && static_cast<std::size_t>(r) <= printers.size()) {
    d_.profile.ProfileWrite(kPrinterKey, printers[static_cast<std::size_t>(r - 1)]);
    d_.choice.LoadPrinterChoice();
  }
}

void ServiceWindowHandlers::ChoosePrinterFont() {
  SettingsOpenScope open(d_.state.flags);
  d_.metrics.ResetTextMetrics();
  const std::optional<TPrinterFont> chosen = d_.fontDialog.Execute(d_.printerFont.Font());
  if (!chosen) return;
  d_.profile.ProfileWrite(kFontKey, chosen->Name);
  d_.state.fontName.Set(d_.profile.ProfileRead(kFontKey, kDefaultFont));
  d_.view.SetFontLabel("Font: " + d_.state.fontName.Get());
  d_.printerFont.SetFont(*chosen);
}

void ServiceWindowHandlers::PrintTestPage() {
  if (!d_.confirmBox.Confirm("Click on OK to send test page to the printer")) return;
  const std::string& home = d_.state.homeDirectory;
  if (home.empty()) return;  // start-up has not run: there is no spool directory yet
  // The copy lands in the spool directory as an ordinary job; whether it worked is not
  // examined (a missing test page does nothing).
  static_cast<void>(
      d_.fileSystem.CopyFile(home + "\\VOZAZAD.TST", d_.state.spoolDirectory + "\\VOZAZAD.TST"));
}

void ServiceWindowHandlers::AskToRemove() {
  d_.shell.MessageBeep(kBeepError);
  if (d_.confirmBox.Confirm("Are you sure?  Korvelane will not print\rif the printer is removed"))
    d_.shell.PostQuit();
}

}  // namespace korv
