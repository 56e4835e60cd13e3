#include "service/MainFormHandlers.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace korv {

namespace {

// SettingsOpen for exactly as long as a settings dialog and its outcome are in hand,
// also when either throws.
class SettingsOpenScope {
 public:
  explicit SettingsOpenScope(ServiceFlags& flags) : flags_(flags) { flags_.SettingsOpen = true; }
  ~SettingsOpenScope() { flags_.SettingsOpen = false; }
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

void MainFormHandlers::SetDirectories(std::string homeDirectory, std::string spoolDirectory) {
  homeDirectory_ = std::move(homeDirectory);
  spoolDirectory_ = std::move(spoolDirectory);
}

void MainFormHandlers::PrnSetup() {
  SettingsOpenScope open(d_.flags);
  const std::vector<std::string> printers = d_.printer.PrinterList();
  // With no printers there is no current one; asking would only raise "no default printer".
  std::uint16_t initial = 0;
  if (!printers.empty()) {
    const int current = d_.printer.SelectedIndex();
    if (current >= 0 && current < UINT16_MAX) initial = static_cast<std::uint16_t>(current + 1);
  }
  const std::uint16_t count = ToCount(printers.size());
  const std::int16_t r =
      d_.listSelector.VListSelect(count, initial, "printer", printers, kScreenCentre);
  if (r > 0 && static_cast<std::size_t>(r) <= printers.size()) {
    d_.profile.ProfileWrite("Printer", printers[static_cast<std::size_t>(r - 1)]);
    d_.choice.LoadPrinterChoice();
  }
}

void MainFormHandlers::PrinterFont() {
  SettingsOpenScope open(d_.flags);
  d_.metrics.ResetTextMetrics();
  const std::optional<FontAttributes> chosen = d_.fontDialog.Execute(d_.printerFont.Font());
  if (!chosen) return;
  d_.profile.ProfileWrite("Font", chosen->face);
  d_.fontName.Set(d_.profile.ProfileRead("Font", "Courier New"));
  d_.view.SetFontLabel("Font: " + d_.fontName.Get());
  d_.printerFont.SetFont(*chosen);
}

void MainFormHandlers::PrintTestPage() {
  if (!d_.prompts.Confirm("Click on OK to send test page to the printer")) return;
  if (homeDirectory_.empty()) return;  // start-up has not run: there is no spool directory yet
  // The copy lands in the spool directory as an ordinary job; whether it worked is not
  // examined (a missing test page does nothing).
  static_cast<void>(
      d_.fileSystem.CopyFile(homeDirectory_ + "\\VOZAZAD.TST", spoolDirectory_ + "\\VOZAZAD.TST"));
}

void MainFormHandlers::Dominimize() {
  d_.app.ActivateHostWindow(false);
}

void MainFormHandlers::DoRestore() {
  d_.app.ShowServiceWindow();
}

void MainFormHandlers::DoStop() {
  d_.prompts.MessageBeep(16);  // MB_ICONHAND
  if (d_.prompts.Confirm("Are you sure?  Korvelane will not print\rif the printer is removed"))
    d_.app.PostQuit(0);
}

void MainFormHandlers::SetDefaultPrinter() {
  d_.choice.SetDefaultPrinter();
}

}  // namespace korv
