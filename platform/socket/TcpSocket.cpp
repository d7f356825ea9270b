#include "platform/socket/TcpSocket.h"

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

using AddressList = std::unique_ptr<addrinfo, decltype(&freeaddrinfo)>;

[[noreturn]] void Throw(const std::string& where, const std::string& why) {
  throw PlatformError(FromUtf8(where + ": " + why));
}

}  // namespace

TcpSocket::TcpSocket(const std::string& host, int port, const Deadline& deadline)
    : where_(host + ":" + std::to_string(port)), deadline_(deadline) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int error = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found)) {
    Throw(where_, std::string("the host does not resolve: ") + gai_strerror(error));
  }
  const AddressList addresses(found, &freeaddrinfo);
  int error = 0;
  for (const addrinfo* address = found; address; address = address->ai_next) {
    fd_ = socket(address->ai_family, address->ai_socktype, address->ai_protocol);
    if (fd_ < 0) {
      error = errno;
      continue;
    }
    fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
    error = connect(fd_, address->ai_addr, address->ai_addrlen) == 0 || errno == EINPROGRESS
                ? Wait(POLLOUT)
                : errno;
    socklen_t length = sizeof error;
    if (!error && getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
    if (!error) return;
    close(fd_);
    fd_ = -1;
  }
  Throw(where_, error == ETIMEDOUT
                    ? "no answer within " + deadline.Said() + " (is the host up, the port open?)"
                    : std::string("cannot connect: ") + std::strerror(error));
}

TcpSocket::~TcpSocket() {
  if (fd_ >= 0) close(fd_);
}

int TcpSocket::Wait(short events) {
  for (;;) {
    if (deadline_.Stopped()) throw Stopped{};
    if (deadline_.Passed()) return ETIMEDOUT;
    pollfd waiting{fd_, events, 0};
    const int ready = poll(&waiting, 1, std::min(50, deadline_.Milliseconds()));
    if (ready > 0) return 0;
    if (ready < 0 && errno != EINTR) return errno;
  }
}

int TcpSocket::WaitToRead() { return Wait(POLLIN); }

int TcpSocket::WriteAll(std::string_view bytes, std::size_t& sent) {
  for (sent = 0; sent < bytes.size();) {
    if (const int error = Wait(POLLOUT)) return error;
    const ssize_t n = send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno != EAGAIN && errno != EINTR) return errno;
    if (n > 0) sent += static_cast<std::size_t>(n);
  }
  return shutdown(fd_, SHUT_WR) == 0 ? 0 : errno;
}

}  // namespace fontprobe
