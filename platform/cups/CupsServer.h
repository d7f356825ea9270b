#pragma once

#include <cups/cups.h>

#include <optional>
#include <string>
#include <vector>

namespace fontprobe {

// IPP's printer states.
enum class PrinterState { Idle = 3, Printing = 4, Stopped = 5 };

struct CupsPrinter {
  std::string name;
  bool isDefault = false;
  PrinterState state = PrinterState::Idle;
  std::string stateMessage;  // the printer's own words, often empty; asked of one printer only
};

// What a printer or a queue tells of itself before a page is spent.
struct PrinterDescription {
  CupsPrinter state;
  std::string makeAndModel;
  std::string deviceUri;  // a queue's device; empty for a printer
  bool accepting = true;
  std::vector<std::string> formats;  // document-format-supported
};

// IPP's job states.
enum class JobState {
  Pending = 3,
  Held = 4,
  Processing = 5,
  Stopped = 6,
  Canceled = 7,
  Aborted = 8,
  Completed = 9
};

struct CupsJobStatus {
  JobState state = JobState::Pending;
  std::string reasons;         // job-state-reasons, comma-separated keywords
  std::string printerMessage;  // what the printer said while it had the job
};

// One connection to the CUPS server the user's settings name (CUPS_SERVER,
// client.conf, else the local one). Failures throw PlatformError.
class CupsServer {
 public:
  CupsServer();
  ~CupsServer();
  CupsServer(const CupsServer&) = delete;
  CupsServer& operator=(const CupsServer&) = delete;

  const std::string& name() const { return name_; }
  http_t* http() const { return http_; }

  // The queues, without instances, in CUPS's order, with their states.
  std::vector<CupsPrinter> Printers();
  // Their names alone: one small request.
  std::vector<std::string> PrinterNames();
  // The user's default destination (lpoptions, LPDEST or the server's), if any.
  std::optional<std::string> DefaultPrinter();
  CupsPrinter Printer(const std::string& name);
  PrinterDescription Describe(const std::string& name);
  CupsJobStatus Job(const std::string& printer, int id);

 private:
  void ThrowIfListingFailed() const;

  std::string name_;
  http_t* http_ = nullptr;
};

}  // namespace fontprobe
