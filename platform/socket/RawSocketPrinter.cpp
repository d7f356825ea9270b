#include "platform/socket/RawSocketPrinter.h"

#include <cerrno>
#include <cstring>

#include "platform/PlatformError.h"
#include "platform/cups/Utf8.h"
#include "platform/socket/TcpSocket.h"

namespace fontprobe {
namespace {

// How much of the page a raw port has, which keeps what it got: no job
// there can be cancelled.
std::string PartSent(std::size_t sent, std::size_t whole, const std::string& where) {
  return std::to_string(sent) + " of the page's " + std::to_string(whole) + " bytes had reached " +
         where + ", which may print them";
}

}  // namespace

void SendToRawSocket(const std::string& host, int port, std::string_view page,
                     const Deadline& deadline) {
  TcpSocket socket(host, port, deadline);
  const std::string& where = socket.Where();
  std::size_t sent = 0;
  int error = 0;
  try {
    error = socket.WriteAll(page, sent);
  } catch (const Stopped&) {
    if (sent == 0) throw;
    throw Stopped{PartSent(sent, page.size(), where)};
  }
  if (!error) return;
  if (error == ETIMEDOUT) {
    throw PlatformError(FromUtf8(where + ": the printer took " + (sent ? "no more" : "none") +
                                 " of the page within " + deadline.Said() +
                                 (sent ? "; " + PartSent(sent, page.size(), where) : "")));
  }
  throw PlatformError(FromUtf8(where + ": the page could not be " +
                               (sent < page.size() ? "written: " : "finished: ") +
                               std::strerror(error)));
}

}  // namespace fontprobe
