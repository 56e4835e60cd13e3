#include "printing/TPrinter.h"

#include <utility>

#include "printing/EPrinter.h"

namespace korv {

namespace {

constexpr std::uint32_t kLegacyEntryChars = 79;
constexpr std::size_t kDocumentNameMax = 31;

std::string SkipBlanks(const std::string& text, std::size_t from = 0) {
  while (from < text.size() && text[from] == ' ') ++from;
  return text.substr(from);
}

// "name, name2, ..." -> the names in order, up to the first empty one.
std::vector<std::string> SplitPorts(const std::string& ports) {
  std::vector<std::string> names;
  std::size_t pos = 0;
  while (pos <= ports.size()) {
    while (pos < ports.size() && ports[pos] == ' ') ++pos;
    std::size_t comma = ports.find(',', pos);
    std::string name =
        ports.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
    if (name.empty()) break;
    names.push_back(std::move(name));
    if (comma == std::string::npos) break;
    pos = comma + 1;
  }
  return names;
}

}  // namespace

TPrinter::TPrinter(PrintSystem& system)
    : system_(system), canvas_(std::make_unique<TPrinterCanvas>(*this)) {}

TPrinter::~TPrinter() {
  auto guard = Lock();
  if (documentOpen_) {
    try {
      EndDocument();
    } catch (...) {
      // Nothing can be reported at this point; the spooler discards what it cannot finish.
    }
  }
  ReleaseContext();
  canvas_.reset();
}

void TPrinter::RequireNoDocument() const {
  if (documentOpen_) throw EPrinter(kPrintingInProgressText);
}

// ---- the printer list ----

void TPrinter::EnsureList() {
  if (listBuilt_) return;
  try {
    BuildList();
  } catch (...) {
    list_.clear();
    throw;
  }
  listBuilt_ = true;
}

void TPrinter::BuildList() {
  OsVersion version;
  bool nt = system_.GetVersionExA(version) && version.platformId == kPlatformWin32Nt;
  std::uint32_t flags = nt ? kPrinterEnumLocal | kPrinterEnumConnections : kPrinterEnumLocal;
  std::uint32_t level = nt ? 4 : 5;

  std::uint32_t needed = 0, error = 0;
  system_.EnumPrintersSizeA(flags, level, needed, error);  // lacking room is the usual answer
  if (needed == 0) return;
  std::vector<PrinterEnumInfo> printers;
  if (!system_.EnumPrintersA(flags, level, needed, printers)) return;

  for (const PrinterEnumInfo& printer : printers) {
    if (level == 4) {
      list_.push_back({printer.printerName, {"", printer.printerName, ""}});
      continue;
    }
    for (const std::string& port : SplitPorts(printer.portName))
      list_.push_back({printer.printerName + " on " + port, {"", printer.printerName, port}});
  }
}

std::vector<PrinterEntry> TPrinter::PrinterList() {
  auto guard = Lock();
  EnsureList();
  return list_;
}

std::vector<std::string> TPrinter::PrinterTexts() {
  auto guard = Lock();
  EnsureList();
  std::vector<std::string> texts;
  texts.reserve(list_.size());
  for (const PrinterEntry& entry : list_) texts.push_back(entry.Text);
  return texts;
}

// ---- selection ----

int TPrinter::SelectedIndex() {
  auto guard = Lock();
  EnsureSelection();
  return selectedIndex_;
}

void TPrinter::EnsureSelection() {
  if (selectedIndex_ == -1) SelectDefaultPrinter();
}

void TPrinter::SetSelectedIndex(int index) {
  auto guard = Lock();
  RequireNoDocument();
  if (index == -1) {
    SelectDefaultPrinter();
    return;
  }
  // The settings kept for the new entry are those of the default printer at first.
  EnsureSelection();
  if (index < 0 || static_cast<std::size_t>(index) >= list_.size())
    throw EPrinter(kIndexOutOfRangeText);
  selectedIndex_ = index;
  ReleaseContext();
}

std::string TPrinter::SelectedPrinterText() {
  auto guard = Lock();
  EnsureList();
  if (list_.empty()) return "";
  EnsureSelection();
  return list_[static_cast<std::size_t>(selectedIndex_)].Text;
}

std::string TPrinter::SelectedPrinterName() const {
  auto guard = Lock();
  if (selectedIndex_ < 0) return "";
  return list_[static_cast<std::size_t>(selectedIndex_)].Device.PrinterName;
}

std::string TPrinter::DefaultPrinterName() {
  auto guard = Lock();
  std::uint32_t needed = 0, error = 0;
  if (!system_.EnumPrintersSizeA(kPrinterEnumDefault, 5, needed, error) &&
      error != kErrorInsufficientBuffer)
    throw EPrinter::FromOsError(error, error != 0 ? system_.FormatMessageA(error) : "");
  std::vector<PrinterEnumInfo> defaults;
  if (needed > 0 && !system_.EnumPrintersA(kPrinterEnumDefault, 5, needed, defaults))
    defaults.clear();
  if (!defaults.empty()) return defaults.front().printerName;
  const std::string device =
      SkipBlanks(system_.GetProfileStringA("windows", "device", "", kLegacyEntryChars));
  return device.substr(0, device.find(','));
}

void TPrinter::SelectDefaultPrinter() {
  auto guard = Lock();
  const std::string name = DefaultPrinterName();
  EnsureList();
  for (const PrinterEntry& entry : list_) {
    if (entry.Device.PrinterName == name) {
      TPrinterDevice device = entry.Device;  // SelectPrinter may change the list
      SelectPrinter(device.PrinterName, device.DriverName, device.PortName);
      return;
    }
  }
  throw EPrinter(kNoDefaultPrinterText);
}

void TPrinter::SelectPrinter(const std::string& printer, const std::string& driver,
                             const std::string& port, std::optional<DeviceMode> settings) {
  auto guard = Lock();
  RequireNoDocument();
  settings_ = std::move(settings);
  spooler_.reset();
  ReleaseContext();

  EnsureList();
  selectedIndex_ = -1;
  for (std::size_t i = 0; i < list_.size(); ++i) {
    if (list_[i].Device.Matches(printer, port)) {
      list_[i].Device.PortName = port;
      selectedIndex_ = static_cast<int>(i);
      break;
    }
  }
  if (selectedIndex_ == -1) {
    list_.push_back({printer + " on " + port, {driver, printer, port}});
    selectedIndex_ = static_cast<int>(list_.size() - 1);
  }

  spooler_ = system_.OpenPrinterA(printer);
  if (spooler_ && !settings_) ReadSettings();
}

void TPrinter::ReadSettings() {
  std::int32_t size = spooler_->DocumentPropertiesSizeA();
  // A block without room for the orientation is of no use and is not kept.
  if (size < static_cast<std::int32_t>(DeviceMode::kMinimumSize)) return;
  std::vector<std::uint8_t> block(static_cast<std::size_t>(size), 0);
  if (spooler_->DocumentPropertiesA(block) < 0) return;
  settings_.emplace(std::move(block));
}

std::optional<DeviceMode> TPrinter::DeviceSettings() const {
  auto guard = Lock();
  return settings_;
}

// ---- orientation ----

TPrinterOrientation TPrinter::PaperOrientation() {
  auto guard = Lock();
  EnsureSelection();
  if (!settings_) throw EPrinter(kNotSupportedText);
  return settings_->Orientation() == DeviceMode::kPortrait ? TPrinterOrientation::Portrait
                                                           : TPrinterOrientation::Landscape;
}

void TPrinter::SetPaperOrientation(TPrinterOrientation orientation) {
  auto guard = Lock();
  RequireNoDocument();
  EnsureSelection();
  if (!settings_) throw EPrinter(kNotSupportedText);
  ReleaseContext();
  settings_->SetOrientation(orientation == TPrinterOrientation::Portrait ? DeviceMode::kPortrait
                                                                         : DeviceMode::kLandscape);
}

// ---- contexts ----

void TPrinter::RequireInformationContext() {
  if (state_ != HandleState::None) return;  // a device context serves as well
  OpenContext(HandleState::InformationContext);
}

void TPrinter::CreateDeviceContext() {
  OpenContext(HandleState::DeviceContext);
}

void TPrinter::OpenContext(HandleState kind) {
  EnsureSelection();
  ReleaseContext();
  const TPrinterDevice& device = list_[static_cast<std::size_t>(selectedIndex_)].Device;
  const DeviceMode* settings = settings_ ? &*settings_ : nullptr;
  auto context =
      kind == HandleState::DeviceContext
          ? system_.CreateDCA(device.DriverName, device.PrinterName, device.PortName, settings)
          : system_.CreateICA(device.DriverName, device.PrinterName, device.PortName, settings);
  if (!context) throw EPrinter(kInvalidPrinterText);
  context_ = std::move(context);
  state_ = kind;
  canvas_->TakeHandle(context_.get());
}

void TPrinter::ReleaseContext() {
  if (canvas_) canvas_->TakeHandle(nullptr);
  context_.reset();
  state_ = HandleState::None;
}

DeviceContext& TPrinter::DeviceHandle() {
  auto guard = Lock();
  RequireInformationContext();
  return *context_;
}

std::int32_t TPrinter::PrintableWidth() {
  auto guard = Lock();
  return DeviceHandle().GetDeviceCaps(DeviceCap::HorzRes);
}

std::int32_t TPrinter::PrintableHeight() {
  auto guard = Lock();
  return DeviceHandle().GetDeviceCaps(DeviceCap::VertRes);
}

int TPrinter::Escape(int escape, const std::string& input) {
  auto guard = Lock();
  return DeviceHandle().Escape(escape, input);
}

// ---- documents ----

std::string TPrinter::DocumentTitle() const {
  auto guard = Lock();
  return documentTitle_;
}

void TPrinter::SetDocumentTitle(const std::string& title) {
  auto guard = Lock();
  documentTitle_ = title;
}

std::string TPrinter::OutputFile() const {
  auto guard = Lock();
  return outputFile_;
}

void TPrinter::SetOutputFile(const std::string& path) {
  auto guard = Lock();
  outputFile_ = path;
}

void TPrinter::StartDocument() {
  auto guard = Lock();
  RequireNoDocument();
  CreateDeviceContext();
  canvas_->RescaleFont();
  documentOpen_ = true;
  // Keeps the print thread's messages flowing while the spooler works.
  context_->SetAbortProc([this] {
    system_.DispatchPendingMessages();
    return true;
  });
  if (context_->StartDocA(documentTitle_.substr(0, kDocumentNameMax), outputFile_) <= 0) {
    const std::string detail = FailureDetail("StartDoc");
    documentOpen_ = false;
    passThroughDocument_ = false;
    throw EPrinter(kPrintingFailedText, detail);
  }
  pageCount_ = 0;
  if (!passThroughDocument_) {
    if (context_->StartPage() <= 0) FailDocument("StartPage");
    pageCount_ = 1;
  }
}

void TPrinter::StartNextPage() {
  auto guard = Lock();
  if (!documentOpen_) throw EPrinter(kNotPrintingText);
  if (context_->EndPage() <= 0) FailDocument("EndPage");
  if (context_->StartPage() <= 0) FailDocument("StartPage");
  ++pageCount_;
  canvas_->DropSelections();
}

void TPrinter::EndDocument() {
  auto guard = Lock();
  if (!documentOpen_) throw EPrinter(kNotPrintingText);
  if (!passThroughDocument_ && context_->EndPage() <= 0) FailDocument("EndPage");
  int ended = context_->EndDoc();
  const std::string detail = ended <= 0 ? FailureDetail("EndDoc") : "";
  documentOpen_ = false;
  passThroughDocument_ = false;
  if (ended <= 0) throw EPrinter(kPrintingFailedText, detail);
}

bool TPrinter::AbortDocument() {
  auto guard = Lock();
  if (!documentOpen_) return false;
  int aborted = context_->AbortDoc();
  documentOpen_ = false;
  passThroughDocument_ = false;
  return aborted > 0;
}

void TPrinter::FailDocument(const char* call) {
  const std::string detail = FailureDetail(call);
  context_->AbortDoc();
  documentOpen_ = false;
  passThroughDocument_ = false;
  throw EPrinter(kPrintingFailedText, detail);
}

std::string TPrinter::FailureDetail(const char* call) {
  // Read before any other call can change the thread's last error.
  const std::uint32_t code = context_->LastError();
  std::string detail = call;
  if (code == 0) return detail + " failed";
  const std::string text = system_.FormatMessageA(code);
  detail += " failed, error " + std::to_string(code);
  if (!text.empty()) detail += ": " + text;
  return detail;
}

}  // namespace korv
