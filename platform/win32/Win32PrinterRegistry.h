#pragma once

#include <string>

#include "platform/PrinterRegistry.h"

namespace fontprobe {

// The printers the spooler lists, local ones and connections, read afresh for
// every operation so that a printer removed meanwhile is gone. The current
// printer is Fontprobe's own: it starts as the system default and changing it
// never changes the system default.
class Win32PrinterRegistry : public PrinterRegistry {
 public:
  Win32PrinterRegistry();

  int Count() override;
  std::u16string DeviceName(int index) override;
  std::optional<std::u16string> CurrentDeviceName() override;
  void MakeCurrent(int index) override;

 private:
  std::optional<std::u16string> current_;
};

}  // namespace fontprobe
