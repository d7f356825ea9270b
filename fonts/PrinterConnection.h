#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fontprobe {

// A two-way connection to a printer's raw port, every wait on which ends at
// the deadline it was opened with. Failures throw the platform's error in
// words naming the printer; the user's stop throws too.
class PrinterConnection {
 public:
  virtual ~PrinterConnection() = default;
  // Writes `bytes` whole, then closes the sending side: a printer that waits
  // for the end of a job before it runs it gets that end.
  virtual void SendAll(std::string_view bytes) = 0;
  // What the printer sends next, at most `most` bytes: empty once it has
  // closed the connection, nothing when the deadline passed first.
  virtual std::optional<std::string> Receive(std::size_t most) = 0;
};

}  // namespace fontprobe
