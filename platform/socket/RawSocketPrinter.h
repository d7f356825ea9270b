#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace fontprobe {

// A printer's raw TCP port (AppSocket / JetDirect, socket://host:port): the
// page is written whole and the connection closed, which is all that such a
// port can acknowledge. Failures (a host that does not resolve, a refused or
// unreachable port, a reset, no answer within `connectLimit`) throw
// PlatformError naming the host and the reason.
void SendToRawSocket(const std::string& host, int port, std::string_view page,
                     std::chrono::milliseconds connectLimit);

}  // namespace fontprobe
