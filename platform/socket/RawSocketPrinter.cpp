#include "platform/socket/RawSocketPrinter.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/PlatformError.h"
#include "platform/cups/Utf8.h"

namespace fontprobe {
namespace {

struct Socket {
  int fd;
  explicit Socket(int fd) : fd(fd) {}
  ~Socket() {
    if (fd >= 0) close(fd);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
};

using AddressList = std::unique_ptr<addrinfo, decltype(&freeaddrinfo)>;

[[noreturn]] void Throw(const std::string& where, const std::string& why) {
  throw PlatformError(FromUtf8(where + ": " + why));
}

// Waits until the socket can be written, a twentieth of a second at a time
// so that the user's stop is heard: 0 when it can, else ETIMEDOUT, or the
// error of the wait.
int WaitToWrite(const Socket& socket, const Deadline& deadline) {
  for (;;) {
    if (deadline.Stopped()) throw Stopped{};
    if (deadline.Passed()) return ETIMEDOUT;
    pollfd waiting{socket.fd, POLLOUT, 0};
    const int ready = poll(&waiting, 1, std::min(50, deadline.Milliseconds()));
    if (ready > 0) return 0;
    if (ready < 0 && errno != EINTR) return errno;
  }
}

// Connects before the deadline; the socket's error otherwise (0 on success).
int Connect(const Socket& socket, const addrinfo& address, const Deadline& deadline) {
  fcntl(socket.fd, F_SETFL, fcntl(socket.fd, F_GETFL) | O_NONBLOCK);
  if (connect(socket.fd, address.ai_addr, address.ai_addrlen) != 0 && errno != EINPROGRESS) {
    return errno;
  }
  if (const int error = WaitToWrite(socket, deadline)) return error;
  int error = 0;
  socklen_t length = sizeof error;
  if (getsockopt(socket.fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return errno;
  return error;
}

// How much of the page a raw port has, which keeps what it got: no job
// there can be cancelled.
std::string PartSent(std::size_t sent, std::size_t whole, const std::string& where) {
  return std::to_string(sent) + " of the page's " + std::to_string(whole) + " bytes had reached " +
         where + ", which may print them";
}

// The page written whole before the deadline, then the sending side closed.
void Send(const Socket& socket, std::string_view page, const Deadline& deadline,
          const std::string& where) {
  for (std::size_t sent = 0; sent < page.size();) {
    int error = 0;
    try {
      error = WaitToWrite(socket, deadline);
    } catch (const Stopped&) {
      if (sent == 0) throw;
      throw Stopped{PartSent(sent, page.size(), where)};
    }
    if (error == ETIMEDOUT) {
      Throw(where, "the printer took " + std::string(sent ? "no more" : "none") +
                       " of the page within " + deadline.Said() +
                       (sent ? "; " + PartSent(sent, page.size(), where) : ""));
    }
    if (error) Throw(where, std::string("the page could not be written: ") + std::strerror(error));
    const ssize_t n = send(socket.fd, page.data() + sent, page.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno != EAGAIN && errno != EINTR) {
      Throw(where, std::string("the page could not be written: ") + std::strerror(errno));
    }
    if (n > 0) sent += static_cast<std::size_t>(n);
  }
  if (shutdown(socket.fd, SHUT_WR) != 0) {
    Throw(where, std::string("the page could not be finished: ") + std::strerror(errno));
  }
}

}  // namespace

void SendToRawSocket(const std::string& host, int port, std::string_view page,
                     const Deadline& deadline) {
  const std::string where = host + ":" + std::to_string(port);
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int error = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found)) {
    Throw(where, std::string("the host does not resolve: ") + gai_strerror(error));
  }
  const AddressList addresses(found, &freeaddrinfo);
  int error = 0;
  for (const addrinfo* address = found; address; address = address->ai_next) {
    Socket socket(::socket(address->ai_family, address->ai_socktype, address->ai_protocol));
    if (socket.fd < 0) continue;
    error = Connect(socket, *address, deadline);
    if (error) continue;
    Send(socket, page, deadline, where);
    return;
  }
  Throw(where, error == ETIMEDOUT
                   ? "no answer within " + deadline.Said() + " (is the host up, the port open?)"
                   : std::string("cannot connect: ") + std::strerror(error));
}

}  // namespace fontprobe
