#pragma once

#include <optional>
#include <string>

namespace fontprobe {

// A printer's own address as the user gives it: ipp://host[:port]/path,
// ipps://… or socket://host[:port] (port 9100 unless given).
struct DeviceUri {
  std::string scheme;
  std::string host;
  int port = 0;
  std::string resource;  // the path, "/" when none
};

// The parts of `uri`; nothing, with `problem` saying why, when it is not one
// of the addresses above.
std::optional<DeviceUri> SplitDeviceUri(const std::string& uri, std::string& problem);

}  // namespace fontprobe
