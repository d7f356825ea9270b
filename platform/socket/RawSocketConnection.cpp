#include "platform/socket/RawSocketConnection.h"

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/PlatformError.h"
#include "platform/cups/Utf8.h"

namespace fontprobe {
namespace {

// A printer that hangs up (at once, or before its answer) has closed the
// connection: what it said before, if anything, is still read.
bool HungUp(int error) { return error == EPIPE || error == ECONNRESET || error == ENOTCONN; }

}  // namespace

RawSocketConnection::RawSocketConnection(const std::string& host, int port,
                                         const Deadline& deadline)
    : deadline_(deadline), socket_(host, port, deadline) {}

void RawSocketConnection::SendAll(std::string_view bytes) {
  std::size_t sent = 0;
  const int error = socket_.WriteAll(bytes, sent);
  if (error == ETIMEDOUT) {
    throw PlatformError(FromUtf8(socket_.Where() + ": the printer took " +
                                 (sent ? "no more" : "none") + " of the question within " +
                                 deadline_.Said()));
  }
  if (error && !HungUp(error)) {
    throw PlatformError(
        FromUtf8(socket_.Where() + ": the question could not be sent: " + std::strerror(error)));
  }
}

std::optional<std::string> RawSocketConnection::Receive(std::size_t most) {
  for (;;) {
    const int error = socket_.WaitToRead();
    if (error == ETIMEDOUT) return std::nullopt;
    if (error) {
      throw PlatformError(
          FromUtf8(socket_.Where() + ": the answer could not be read: " + std::strerror(error)));
    }
    std::string received(std::min<std::size_t>(most, 65536), '\0');
    const ssize_t n = recv(socket_.Descriptor(), received.data(), received.size(), 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (n < 0 && !HungUp(errno)) {
      throw PlatformError(
          FromUtf8(socket_.Where() + ": the answer could not be read: " + std::strerror(errno)));
    }
    received.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
    return received;
  }
}

}  // namespace fontprobe
