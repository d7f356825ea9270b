#pragma once

#include <string>

#include "printers/PrinterRegistry.h"

namespace fontprobe {

// The printers the spooler lists, local ones and connections, read afresh on
// each call so that a printer removed meanwhile is gone. The current
// printer is Fontprobe's own: it starts as the system default and changing it
// never changes the system default.
class Win32PrinterRegistry : public PrinterRegistry {
 public:
  Win32PrinterRegistry();

  std::vector<std::u16string> DeviceNames() override;
  bool IsInstalled(const std::u16string& deviceName) override;
  std::optional<std::u16string> CurrentDeviceName() override;
  void MakeCurrent(const std::u16string& deviceName) override;

 private:
  std::optional<std::u16string> current_;
};

}  // namespace fontprobe
