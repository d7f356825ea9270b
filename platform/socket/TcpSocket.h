#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Deadline.h"

namespace fontprobe {

// A TCP connection to a printer's raw port, closed with the object.
class TcpSocket {
 public:
  // Connects to host:port before the deadline. Failures (a host that does not
  // resolve, a refused or unreachable port, no connection in time) throw
  // PlatformError naming "host:port"; the user's stop throws Stopped.
  TcpSocket(const std::string& host, int port, const Deadline& deadline);
  ~TcpSocket();
  TcpSocket(const TcpSocket&) = delete;
  TcpSocket& operator=(const TcpSocket&) = delete;

  // "host:port", as failures name it.
  const std::string& Where() const { return where_; }
  // Writes `bytes` whole before the deadline and closes the sending side;
  // `sent` counts what went. 0 when all went, else the error that stopped it
  // (ETIMEDOUT when the time ran out). Throws Stopped.
  int WriteAll(std::string_view bytes, std::size_t& sent);
  // Waits for what the peer sends, a twentieth of a second at a time so that
  // the user's stop is heard: 0 when there is something to read (or the peer
  // closed), else ETIMEDOUT or the error of the wait. Throws Stopped.
  int WaitToRead();
  int Descriptor() const { return fd_; }

 private:
  int Wait(short events);

  std::string where_;
  const Deadline& deadline_;
  int fd_ = -1;
};

}  // namespace fontprobe
