#pragma once

#include "platform/cups/CupsServer.h"
#include "printers/PrinterRegistry.h"

namespace fontprobe {

// The server's queues. The current printer is the program's own: it starts as
// the user's default destination, and the user's default is never changed.
class CupsPrinterRegistry : public PrinterRegistry {
 public:
  explicit CupsPrinterRegistry(CupsServer& server) : server_(server) {}

  std::vector<std::u16string> DeviceNames() override;
  bool IsInstalled(const std::u16string& deviceName) override;
  std::optional<std::u16string> CurrentDeviceName() override;
  void MakeCurrent(const std::u16string& deviceName) override { current_ = deviceName; }

 private:
  CupsServer& server_;
  std::optional<std::u16string> current_;
};

}  // namespace fontprobe
