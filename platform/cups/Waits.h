#pragma once

#include <cups/cups.h>

#include <memory>
#include <string>
#include <thread>

#include "platform/Deadline.h"

namespace fontprobe {

// One connection of libcups to a print server or printer, every wait on which
// ends within a twentieth of a second of the deadline or the user's stop.
// libcups asks between its waits whether to go on; where it does not (a TLS
// handshake gets ten seconds at least, a request's first wait a second, and a
// wait interrupted by a signal starts again), a watcher cuts the socket,
// which ends the wait at once.
class Connection {
 public:
  // Throws Stopped, or PlatformError naming `peer`, with `hint` after it when
  // the peer could not be reached at all.
  Connection(const std::string& host, int port, http_encryption_t encryption,
             const Deadline& deadline, const std::string& peer, const std::string& hint = "");
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  http_t* get() const { return http_.get(); }

 private:
  void WatchSocket(std::stop_token done) const;

  std::unique_ptr<http_t, decltype(&httpClose)> http_;
  const Deadline& deadline_;
  std::jthread watcher_;  // last: stopped before the connection closes
};

// Whether a request of libcups on `http` that gave `status` was answered,
// and well: when a wait ends with no answer, libcups may give the status of
// the request before.
bool Succeeded(http_t* http, ipp_status_t status);

// A failed call of libcups on `http` to `peer`, in words of what really
// failed: no answer within the time, TLS, an answer that is not IPP, the HTTP
// status, the IPP status and its message, or the system call's error. Throws
// Stopped when the user stopped the wait.
std::string FailureWords(const Deadline& deadline, http_t* http, const std::string& peer);

// What became of a job cancelled because its page could not be sent whole:
// `howToCancel` tells the user how, when the cancel was not confirmed.
std::string CancelWords(int job, bool cancelled, const std::string& howToCancel);

}  // namespace fontprobe
