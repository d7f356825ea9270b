#pragma once

#include <string>

#include "platform/cups/CupsServer.h"
#include "printing/Spooler.h"

namespace fontprobe {

// The CUPS spooler: one job of one raw document on one queue at a time. A job
// whose document could not be delivered whole is cancelled, so that a printer
// never gets half a page of escape sequences.
class CupsSpooler : public Spooler {
 public:
  explicit CupsSpooler(CupsServer& server) : server_(server) {}
  ~CupsSpooler() override { Close(0); }

  Opening Open(const std::u16string& deviceName) override;
  bool HasXpsDriver(Handle) override { return false; }
  std::optional<JobId> StartDocument(Handle printer, const std::u16string& docName,
                                     const std::u16string& dataType) override;
  bool StartPage(Handle) override { return true; }
  std::optional<std::uint32_t> Write(Handle printer, std::string_view bytes) override;
  bool EndPage(Handle) override { return true; }
  bool EndDocument(Handle printer) override;
  void Abort(Handle printer) override;
  void Close(Handle printer) override;

  // What the last failure was, in words.
  const std::string& LastError() const { return lastError_; }
  // What became of the last job aborted, in words; empty when there was none.
  const std::string& Cancellation() const { return cancellation_; }

 private:
  bool Failed(const std::string& whatFailed);

  CupsServer& server_;
  cups_dest_t* dest_ = nullptr;
  cups_dinfo_t* info_ = nullptr;
  int job_ = 0;
  std::string cancellation_;
  std::string lastError_;
};

}  // namespace fontprobe
