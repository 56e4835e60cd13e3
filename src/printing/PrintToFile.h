#pragma once
// Printers that write files instead of paper. Such a printer asks the user for a file
// name unless each document names its output file, so the service names one itself.
#include <string>

namespace korv {

enum class FileOutputKind {
  None,  // prints on paper (or on a device): the document needs no file name
  Pdf,   // the system's PDF writer
  Xps,   // the system's XPS writer
  Prn,   // any other printer on a file port: the driver's own data
};

// One port name: "FILE:", "PORTPROMPT:", a drive path ("C:\OUT\A.PRN") or a file on a
// server ("\\SERVER\SHARE\A.PRN"); a bare "\\SERVER\PRINTER" is a shared printer.
bool IsFilePort(const std::string& port);

// From the printer's name, its driver and its ports (comma-separated, as the spooler
// lists a pooled printer's ports): the writers by name or driver, else any file port.
FileOutputKind PrintToFileKind(const std::string& printerName, const std::string& driverName,
                               const std::string& ports);

// "pdf", "xps" or "prn"; empty for None.
std::string FileExtension(FileOutputKind kind);

}  // namespace korv
