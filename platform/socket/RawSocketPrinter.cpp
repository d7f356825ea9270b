#include "platform/socket/RawSocketPrinter.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

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

// Connects within the time limit; the socket's error otherwise (0 on success).
int ConnectWithin(const Socket& socket, const addrinfo& address, std::chrono::milliseconds limit) {
  fcntl(socket.fd, F_SETFL, fcntl(socket.fd, F_GETFL) | O_NONBLOCK);
  if (connect(socket.fd, address.ai_addr, address.ai_addrlen) != 0 && errno != EINPROGRESS) {
    return errno;
  }
  pollfd waiting{socket.fd, POLLOUT, 0};
  const int ready = poll(&waiting, 1, static_cast<int>(limit.count()));
  if (ready == 0) return ETIMEDOUT;
  int error = 0;
  socklen_t length = sizeof error;
  if (ready < 0 || getsockopt(socket.fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return errno;
  fcntl(socket.fd, F_SETFL, fcntl(socket.fd, F_GETFL) & ~O_NONBLOCK);
  return error;
}

}  // namespace

void SendToRawSocket(const std::string& host, int port, std::string_view page,
                     std::chrono::milliseconds connectLimit) {
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
    error = ConnectWithin(socket, *address, connectLimit);
    if (error) continue;
    for (std::size_t sent = 0; sent < page.size();) {
      const ssize_t n = send(socket.fd, page.data() + sent, page.size() - sent, MSG_NOSIGNAL);
      if (n < 0)
        Throw(where, std::string("the page could not be written: ") + std::strerror(errno));
      sent += static_cast<std::size_t>(n);
    }
    if (shutdown(socket.fd, SHUT_WR) != 0) {
      Throw(where, std::string("the page could not be finished: ") + std::strerror(errno));
    }
    return;
  }
  Throw(where, error == ETIMEDOUT ? "no answer within " + std::to_string(connectLimit.count()) +
                                        " ms (is the host up, the port open?)"
                                  : std::string("cannot connect: ") + std::strerror(error));
}

}  // namespace fontprobe
