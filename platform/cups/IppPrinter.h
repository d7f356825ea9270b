#pragma once

#include <cups/cups.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Deadline.h"
#include "platform/cups/CupsServer.h"
#include "platform/cups/DeviceUri.h"
#include "platform/cups/Waits.h"

namespace fontprobe {

// A printer reached by its own ipp:// or ipps:// address, with no queue: every
// request goes over one connection to the device itself, never through a
// local cupsd, and every wait on it ends at the deadline. Failures throw
// PlatformError in true words, or Stopped (StoppedWithJob once a job exists).
class IppPrinter {
 public:
  IppPrinter(const std::string& uri, const Deadline& deadline);
  IppPrinter(const IppPrinter&) = delete;
  IppPrinter& operator=(const IppPrinter&) = delete;

  const std::string& uri() const { return uri_; }
  PrinterDescription Describe();
  // document-format-supported, from what libcups keeps of the printer for
  // printing: no request of its own before a page is sent.
  std::vector<std::string> Formats();
  // Creates a job on the printer and sends `page` as one document of `format`;
  // the job's id. A job the printer refuses to take the page for is cancelled
  // on the printer, which would otherwise hold it and refuse every later job.
  int Print(std::string_view page, const std::string& format, const std::string& title);
  // Nothing when the printer no longer knows the job.
  std::optional<CupsJobStatus> Job(int id);
  CupsPrinter State();

 private:
  [[noreturn]] void Throw(const std::string& whatFailed) const;
  Connection ConnectWithin(const Deadline& deadline) const;
  cups_dinfo_t* Info();
  // Cancels `job` over a connection of its own; whether the printer confirmed it.
  bool Cancel(int job);

  struct FreeDest {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
  };

  std::string uri_;
  const Deadline& deadline_;
  // Owned each by itself, so that a constructor that throws halfway frees
  // what it had.
  std::unique_ptr<cups_dest_t, FreeDest> dest_;
  DeviceUri address_;
  Connection http_;
  std::unique_ptr<cups_dinfo_t, decltype(&cupsFreeDestInfo)> info_{nullptr, &cupsFreeDestInfo};
};

}  // namespace fontprobe
