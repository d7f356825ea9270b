#include "platform/cups/CupsSpooler.h"

#include "platform/PlatformError.h"
#include "platform/cups/Utf8.h"
#include "platform/cups/Waits.h"

namespace fontprobe {

// The one open queue's handle: the spooler holds a single queue at a time.
constexpr Spooler::Handle kOpenQueue = 1;

bool CupsSpooler::Failed(const std::string& whatFailed) {
  try {
    lastError_ =
        whatFailed + ": " +
        FailureWords(server_.deadline(), server_.http(), "the print server " + server_.name());
  } catch (const Stopped&) {
    lastError_ = whatFailed + ": stopped";
  }
  return false;
}

Spooler::Opening CupsSpooler::Open(const std::u16string& deviceName) {
  using Result = Opening::Result;
  Close(kOpenQueue);
  const std::string name = ToUtf8(deviceName);
  // An empty name would give the default queue, and CUPS ignores letter case:
  // the queue found must have exactly the name asked for.
  dest_ = name.empty() ? nullptr : cupsGetNamedDest(server_.http(), name.c_str(), nullptr);
  if (!dest_) {
    const bool missing = name.empty() || cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND;
    Failed(name + " could not be opened");
    return {missing ? Result::NoSuchPrinter : Result::Refused};
  }
  if (name != dest_->name) {
    lastError_ = "no queue is named exactly " + name;
    Close(kOpenQueue);
    return {Result::NoSuchPrinter};
  }
  info_ = cupsCopyDestInfo(server_.http(), dest_);
  if (!info_) {
    Failed(name + " could not be opened");
    Close(kOpenQueue);
    return {Result::Refused};
  }
  return {Result::Opened, kOpenQueue};
}

std::optional<Spooler::JobId> CupsSpooler::StartDocument(Handle, const std::u16string& docName,
                                                         const std::u16string&) {
  // Every document Fontprobe sends is raw: the printer reads the escape sequences.
  const std::string title = ToUtf8(docName);
  if (!Succeeded(server_.http(), cupsCreateDestJob(server_.http(), dest_, info_, &job_,
                                                   title.c_str(), 0, nullptr))) {
    job_ = 0;
    return Failed(std::string(dest_->name) + " refused the job"), std::nullopt;
  }
  if (cupsStartDestDocument(server_.http(), dest_, info_, job_, title.c_str(), CUPS_FORMAT_RAW, 0,
                            nullptr, 1) != HTTP_STATUS_CONTINUE) {
    Failed(std::string(dest_->name) + " refused the raw page");
    Abort(kOpenQueue);
    return std::nullopt;
  }
  return static_cast<JobId>(job_);
}

std::optional<std::uint32_t> CupsSpooler::Write(Handle, std::string_view bytes) {
  if (cupsWriteRequestData(server_.http(), bytes.data(), bytes.size()) != HTTP_STATUS_CONTINUE) {
    return Failed("the page could not be written"), std::nullopt;
  }
  return static_cast<std::uint32_t>(bytes.size());
}

bool CupsSpooler::EndDocument(Handle) {
  if (Succeeded(server_.http(), cupsFinishDestDocument(server_.http(), dest_, info_))) return true;
  Failed("the page could not be finished");
  Abort(kOpenQueue);
  return false;
}

void CupsSpooler::Abort(Handle) {
  if (!job_) return;
  // On a connection of its own: ours may be stuck in the middle of the document.
  const Deadline cancelling = server_.deadline().Grace();
  bool cancelled = false;
  try {
    const Connection http = server_.ConnectWithin(cancelling);
    cancelled = Succeeded(http.get(), cupsCancelDestJob(http.get(), dest_, job_));
  } catch (const PlatformError&) {
    // Not confirmed: the words say how to cancel it.
  }
  cancellation_ = CancelWords(job_, cancelled, "cancel " + std::to_string(job_));
  job_ = 0;
}

void CupsSpooler::Close(Handle) {
  if (info_) cupsFreeDestInfo(info_);
  if (dest_) cupsFreeDests(1, dest_);
  info_ = nullptr;
  dest_ = nullptr;
  job_ = 0;
}

}  // namespace fontprobe
