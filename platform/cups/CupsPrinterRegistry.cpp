#include "platform/cups/CupsPrinterRegistry.h"

#include "platform/cups/Utf8.h"

namespace fontprobe {

CupsPrinterRegistry::CupsPrinterRegistry(CupsServer& server) : server_(server) {
  for (const CupsPrinter& printer : server_.Printers()) {
    if (printer.isDefault) current_ = FromUtf8(printer.name);
  }
}

std::vector<std::u16string> CupsPrinterRegistry::DeviceNames() {
  std::vector<std::u16string> names;
  for (const CupsPrinter& printer : server_.Printers()) names.push_back(FromUtf8(printer.name));
  return names;
}

}  // namespace fontprobe
