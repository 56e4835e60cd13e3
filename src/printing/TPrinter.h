#pragma once
// TPrinter, the printer object: the installed printers and the selected one, its device settings,
// its context with the drawing canvas, and the documents and pages printed on it.
// Both service threads use it; every operation holds one lock, and a caller that needs
// several operations without the other thread in between holds Lock() around them.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "printing/DeviceContext.h"
#include "printing/DeviceMode.h"
#include "printing/PrintSystem.h"
#include "printing/TPrinterCanvas.h"

namespace korv {

struct TPrinterDevice {
  std::string DriverName;
  std::string PrinterName;
  std::string PortName;

  // The same printer: its name exactly, and its port when the entry knows one. The driver
  // takes no part.
  bool Matches(const std::string& printer, const std::string& port) const {
    return PrinterName == printer && (PortName.empty() || PortName == port);
  }
};

struct PrinterEntry {
  std::string Text;  // shown to the user and stored as the printer choice
  TPrinterDevice Device;
};

enum class TPrinterOrientation { Portrait, Landscape };

class TPrinter {
 public:
  explicit TPrinter(PrintSystem& system);
  // Ends an open document, releases the context and the spooler handle.
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  std::unique_lock<std::recursive_mutex> Lock() const {
    return std::unique_lock<std::recursive_mutex>(lock_);
  }

  // The installed printers, read from the spooler on first use and kept.
  std::vector<PrinterEntry> PrinterList();
  std::vector<std::string> PrinterTexts();

  // Reading selects the default printer first when none is selected yet.
  int SelectedIndex();
  // -1 selects the default printer; refused while a document is open.
  void SetSelectedIndex(int index);
  // The selected entry's text (selecting the default printer when none is selected yet),
  // or empty when there are no printers.
  std::string SelectedPrinterText();
  // The selected entry's printer name, empty while none is selected; never selects.
  std::string SelectedPrinterName() const;

  // The Windows default printer's name: the spooler's default, else the legacy
  // "windows"/"device" entry; empty when neither names one.
  std::string DefaultPrinterName();
  void SelectDefaultPrinter();
  // Selects a printer by names, adding an entry for it when the list has none. With no
  // settings given, the printer's own current settings are read.
  void SelectPrinter(const std::string& printer, const std::string& driver, const std::string& port,
                     std::optional<DeviceMode> settings = std::nullopt);

  // At least an information context for the selected printer. The reference stays valid
  // until the context changes (selection, orientation, a new document): hold Lock().
  DeviceContext& DeviceHandle();
  TPrinterCanvas& DocumentCanvas() { return *canvas_; }
  std::optional<DeviceMode> DeviceSettings() const;

  TPrinterOrientation PaperOrientation();
  void SetPaperOrientation(TPrinterOrientation orientation);

  std::int32_t PrintableWidth();
  std::int32_t PrintableHeight();

  std::string DocumentTitle() const;
  void SetDocumentTitle(const std::string& title);

  // The file the next documents are written into instead of the device; empty: none.
  std::string OutputFile() const;
  void SetOutputFile(const std::string& path);

  bool DocumentOpen() const { return documentOpen_; }
  // The next document is started without a page and ended without one (pass-through data).
  bool PassThroughDocument() const { return passThroughDocument_; }
  void SetPassThroughDocument(bool value) { passThroughDocument_ = value; }

  // Documents. A refusal of the printer (start, page or end) raises "Printing failed"
  // and leaves no document open.
  void StartDocument();
  void StartNextPage();
  void EndDocument();
  // Throws the open document away; false when none was open or the platform refused.
  bool AbortDocument();

  // A printer escape on the context (the open document's while one is open).
  int Escape(int escape, const std::string& input);

  std::int32_t LineHeight() const { return lineHeight_; }
  void SetLineHeight(std::int32_t value) { lineHeight_ = value; }
  // The pages of the open document, or of the last one after it ended.
  int PageCount() const { return pageCount_; }
  // A job begins: until its document starts, it has printed no pages.
  void ForgetPageCount() { pageCount_ = 0; }
  bool PageStarted() const { return pageStarted_; }
  void SetPageStarted(bool value) { pageStarted_ = value; }

 private:
  friend class TPrinterCanvas;

  enum class HandleState { None, InformationContext, DeviceContext };

  void RequireNoDocument() const;
  void EnsureList();
  void BuildList();
  void EnsureSelection();
  void ReadSettings();
  void RequireInformationContext();
  void CreateDeviceContext();
  void OpenContext(HandleState kind);  // drops the context held, then opens one of `kind`
  void ReleaseContext();
  // Aborts the open document after `call` failed and raises "Printing failed".
  [[noreturn]] void FailDocument(const char* call);
  // "<call> failed", with the platform's error code and text when it gave one.
  std::string FailureDetail(const char* call);

  PrintSystem& system_;
  mutable std::recursive_mutex lock_;

  std::unique_ptr<TPrinterCanvas> canvas_;
  std::vector<PrinterEntry> list_;
  bool listBuilt_ = false;
  int selectedIndex_ = -1;
  std::string documentTitle_;
  std::string outputFile_;
  std::atomic<bool> documentOpen_{false};
  HandleState state_ = HandleState::None;
  std::unique_ptr<DeviceContext> context_;
  std::optional<DeviceMode> settings_;
  std::unique_ptr<OpenedPrinter> spooler_;

  std::atomic<std::int32_t> lineHeight_{0};
  std::atomic<bool> pageStarted_{false};
  std::atomic<int> pageCount_{0};
  std::atomic<bool> passThroughDocument_{false};
};

}  // namespace korv
