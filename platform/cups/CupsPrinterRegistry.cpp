#include "platform/cups/CupsPrinterRegistry.h"

#include <algorithm>

#include "platform/cups/Utf8.h"

namespace fontprobe {

std::vector<std::u16string> CupsPrinterRegistry::DeviceNames() {
  std::vector<std::u16string> names;
  for (const std::string& name : server_.PrinterNames()) names.push_back(FromUtf8(name));
  return names;
}

bool CupsPrinterRegistry::IsInstalled(const std::u16string& deviceName) {
  const std::vector<std::u16string> names = DeviceNames();
  return std::find(names.begin(), names.end(), deviceName) != names.end();
}

std::optional<std::u16string> CupsPrinterRegistry::CurrentDeviceName() {
  // Asked for only when needed: a printer named by the user makes it unnecessary.
  if (!current_) {
    if (const auto name = server_.DefaultPrinter()) current_ = FromUtf8(*name);
  }
  return current_;
}

}  // namespace fontprobe
