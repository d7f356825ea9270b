#include "platform/cups/Waits.h"

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

#include "platform/PlatformError.h"
#include "platform/cups/Utf8.h"

namespace fontprobe {

namespace {

int KeepWaiting(http_t*, void* deadline) {
  const auto* watched = static_cast<const Deadline*>(deadline);
  return !watched->Stopped() && !watched->Passed();
}

// libcups's own words for an IPP status the peer sent.
std::string Words() {
  std::string words = cupsLastErrorString() ? cupsLastErrorString() : "";
  while (!words.empty() && (words.back() == '.' || words.back() == ' ')) words.pop_back();
  return words;
}

}  // namespace

Connection::Connection(const std::string& host, int port, http_encryption_t encryption,
                       const Deadline& deadline, const std::string& peer, const std::string& hint)
    // Created unconnected (no time given), so that the watch is set before
    // the first wait.
    : http_(httpConnect2(host.c_str(), port, nullptr, AF_UNSPEC, encryption, 1, 0, nullptr),
            &httpClose),
      deadline_(deadline) {
  if (!http_) throw PlatformError(FromUtf8("cannot reach " + peer + ": the name does not resolve"));
  httpSetTimeout(http_.get(), 0.05, KeepWaiting, const_cast<Deadline*>(&deadline));
  watcher_ = std::jthread([this](std::stop_token done) { WatchSocket(done); });
  const bool connected =
      httpReconnect2(http_.get(), deadline.Milliseconds(), deadline.CancelFlag()) == 0;
  if (connected) return;
  if (deadline.Stopped()) throw Stopped{};
  if (deadline.Passed() || httpError(http_.get()) == ETIMEDOUT) {
    throw PlatformError(FromUtf8("no answer from " + peer + " within " + deadline.Said()));
  }
  if (cupsLastError() == IPP_STATUS_ERROR_CUPS_PKI) {
    throw PlatformError(FromUtf8(FailureWords(deadline, http_.get(), peer)));
  }
  // libcups keeps no true reason for a failed connection (it says "host is
  // down" of a refused port or a missing socket file).
  throw PlatformError(FromUtf8("cannot reach " + peer + hint));
}

// The socket is read while libcups may be connecting: it is set before any
// wait on it, and a cut that comes too late does no harm.
void Connection::WatchSocket(std::stop_token done) const {
  std::mutex mutex;
  std::condition_variable_any woken;
  std::unique_lock lock(mutex);
  // Every fiftieth of a second, or at once when the connection closes.
  while (!woken.wait_for(lock, done, std::chrono::milliseconds(20), [] { return false; })) {
    if (done.stop_requested()) return;
    if (deadline_.Stopped() || deadline_.Passed()) {
      if (const int fd = httpGetFd(http_.get()); fd >= 0) shutdown(fd, SHUT_RDWR);
    }
  }
}

bool Succeeded(http_t* http, ipp_status_t status) {
  return status <= IPP_STATUS_OK_EVENTS_COMPLETE && httpGetStatus(http) == HTTP_STATUS_OK;
}

std::string FailureWords(const Deadline& deadline, http_t* http, const std::string& peer) {
  if (deadline.Stopped()) throw Stopped{};
  const int systemError = http ? httpError(http) : 0;
  if (deadline.Passed() || systemError == ETIMEDOUT) {
    return "no answer from " + peer + " within " + deadline.Said();
  }
  const ipp_status_t status = cupsLastError();
  const http_status_t answered = http ? httpGetStatus(http) : HTTP_STATUS_ERROR;
  if (status == IPP_STATUS_ERROR_CUPS_PKI) {
    return "TLS could not be set up with " + peer + (Words().empty() ? "" : ": " + Words());
  }
  if (answered >= HTTP_STATUS_MULTIPLE_CHOICES) {
    return peer + " answered HTTP " + std::to_string(answered) + " " + httpStatus(answered);
  }
  // libcups marks an answer it could not read as IPP so.
  if (status == IPP_STATUS_ERROR_INTERNAL && systemError == EINVAL) {
    const std::string type = http ? httpGetField(http, HTTP_FIELD_CONTENT_TYPE) : "";
    if (!type.empty() && type != "application/ipp") {
      return peer + " answered with " + type + ", not IPP";
    }
    return "the answer of " + peer + " was not IPP";
  }
  if (answered == HTTP_STATUS_OK && status > IPP_STATUS_OK_EVENTS_COMPLETE) {
    const std::string name = ippErrorString(status), words = Words();
    return peer + " said " + name + (words.empty() || words == name ? "" : ": " + words);
  }
  // libcups's words here may be an errno left over from anything: not given.
  if (systemError != 0) return peer + ": " + std::strerror(systemError);
  return peer + " failed, and gave no reason";
}

std::string CancelWords(int job, bool cancelled, const std::string& howToCancel) {
  return "job " + std::to_string(job) +
         (cancelled ? " was cancelled, so no part of the page prints"
                    : " could not be cancelled: " + howToCancel);
}

}  // namespace fontprobe
