#pragma once

#include <string>

#include "fonts/PrinterConnection.h"
#include "platform/Deadline.h"
#include "platform/socket/TcpSocket.h"

namespace fontprobe {

// A printer's raw TCP port (AppSocket / JetDirect) as a two-way connection:
// what a job the printer runs prints is sent back on it. Failures throw
// PlatformError naming host:port; the user's stop throws Stopped.
class RawSocketConnection : public PrinterConnection {
 public:
  RawSocketConnection(const std::string& host, int port, const Deadline& deadline);

  void SendAll(std::string_view bytes) override;
  std::optional<std::string> Receive(std::size_t most) override;

 private:
  const Deadline& deadline_;
  TcpSocket socket_;
};

}  // namespace fontprobe
