#pragma once

#include <optional>
#include <string>

namespace fontprobe {

// The installed printers in the platform's own order, and the one printer the
// program currently works with. Failures to read the printers throw PlatformError.
class PrinterRegistry {
 public:
  virtual ~PrinterRegistry() = default;

  virtual int Count() = 0;
  virtual std::u16string DeviceName(int index) = 0;
  // Nothing when no printer is current (no default printer at start).
  virtual std::optional<std::u16string> CurrentDeviceName() = 0;
  virtual void MakeCurrent(int index) = 0;
};

}  // namespace fontprobe
