#include "platform/cups/DeviceUri.h"

#include <cups/cups.h>

namespace fontprobe {

std::optional<DeviceUri> SplitDeviceUri(const std::string& uri, std::string& problem) {
  char scheme[32], user[256], host[256], resource[1024];
  int port = 0;
  if (httpSeparateURI(HTTP_URI_CODING_ALL, uri.c_str(), scheme, sizeof scheme, user, sizeof user,
                      host, sizeof host, &port, resource, sizeof resource) < HTTP_URI_STATUS_OK ||
      !*host) {
    problem = "'" + uri + "' is not a printer address (ipp://HOST/PATH, ipps://… or socket://HOST)";
    return std::nullopt;
  }
  const std::string kind = scheme;
  if (kind != "ipp" && kind != "ipps" && kind != "socket") {
    problem = "fontprobe cannot print to a " + kind + ":// address (ipp, ipps or socket)";
    return std::nullopt;
  }
  if (kind == "socket" && std::string(resource) != "/" && *resource) {
    problem = "a socket:// address has no path: socket://HOST[:PORT]";
    return std::nullopt;
  }
  return DeviceUri{kind, host,
                   port               ? port
                   : kind == "socket" ? 9100
                                      : 631,
                   *resource ? resource : "/"};
}

}  // namespace fontprobe
