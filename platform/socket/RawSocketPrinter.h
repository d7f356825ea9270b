#pragma once

#include <string>
#include <string_view>

#include "platform/Deadline.h"

namespace fontprobe {

// A printer's raw TCP port (AppSocket / JetDirect, socket://host:port): the
// page is written whole and the connection closed, which is all that such a
// port can acknowledge. Failures (a host that does not resolve, a refused or
// unreachable port, a reset, no connection or no room for the page before the
// deadline) throw PlatformError naming the host and the reason; the user's
// stop throws Stopped.
void SendToRawSocket(const std::string& host, int port, std::string_view page,
                     const Deadline& deadline);

}  // namespace fontprobe
