#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fontprobe {

// The installed printers in the platform's own order, and the one printer the
// program currently works with. Failures to read the printers throw PlatformError.
class PrinterRegistry {
 public:
  virtual ~PrinterRegistry() = default;

  // The device names of the installed printers, read afresh on each call: an
  // operation reads them once and works on that one snapshot, so that a printer
  // added or removed meanwhile can never make it pick another printer.
  virtual std::vector<std::u16string> DeviceNames() = 0;
  // True when an installed printer has exactly this device name (case and
  // spaces count), asked afresh: one printer looked up, where a platform can,
  // rather than all of them read.
  virtual bool IsInstalled(const std::u16string& deviceName) = 0;
  // Nothing when no printer is current (no default printer at start).
  virtual std::optional<std::u16string> CurrentDeviceName() = 0;
  virtual void MakeCurrent(const std::u16string& deviceName) = 0;
};

}  // namespace fontprobe
