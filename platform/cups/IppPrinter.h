#pragma once

#include <cups/cups.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cups/CupsServer.h"

namespace fontprobe {

// A printer reached by its own ipp:// or ipps:// address, with no queue: every
// request goes over one connection to the device itself, never through a
// local cupsd. Failures throw PlatformError with the printer's or libcups's words.
class IppPrinter {
 public:
  explicit IppPrinter(const std::string& uri);
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
  CupsJobStatus Job(int id);
  CupsPrinter State();

 private:
  [[noreturn]] void Throw(const std::string& whatFailed) const;
  cups_dinfo_t* Info();

  struct FreeDest {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
  };

  std::string uri_;
  // Owned each by itself, so that a constructor that throws halfway frees
  // what it had.
  std::unique_ptr<cups_dest_t, FreeDest> dest_;
  std::unique_ptr<http_t, decltype(&httpClose)> http_{nullptr, &httpClose};
  std::unique_ptr<cups_dinfo_t, decltype(&cupsFreeDestInfo)> info_{nullptr, &cupsFreeDestInfo};
  char resource_[HTTP_MAX_URI] = {};
};

}  // namespace fontprobe
