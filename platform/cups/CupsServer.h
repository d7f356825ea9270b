#pragma once

#include <cups/cups.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Deadline.h"
#include "platform/cups/Waits.h"

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
  std::string deviceId;              // its IEEE 1284 device ID, where it gave one
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
// client.conf, else the local one), every wait on it ending at the deadline.
// Failures throw PlatformError in true words, or Stopped.
class CupsServer {
 public:
  explicit CupsServer(const Deadline& deadline);
  CupsServer(const CupsServer&) = delete;
  CupsServer& operator=(const CupsServer&) = delete;

  const std::string& name() const { return name_; }
  http_t* http() const { return http_.get(); }
  // A further connection to the server, for a wait of its own.
  Connection ConnectWithin(const Deadline& deadline, const std::string& hint = "") const;

  // The queues, without instances, in CUPS's order, with their states.
  std::vector<CupsPrinter> Printers();
  // Their names alone: one small request.
  std::vector<std::string> PrinterNames();
  // The user's default destination (lpoptions, LPDEST or the server's), if any.
  std::optional<std::string> DefaultPrinter();
  CupsPrinter Printer(const std::string& name);
  PrinterDescription Describe(const std::string& name);
  // Nothing when the server no longer knows the job.
  std::optional<CupsJobStatus> Job(const std::string& printer, int id);
  const Deadline& deadline() const { return deadline_; }

 private:
  [[noreturn]] void Throw(const std::string& whatFailed) const;
  void ThrowIfListingFailed() const;
  // Whether the last request was answered "not found".
  bool AnsweredNotFound() const;

  const Deadline& deadline_;
  std::string name_;
  Connection http_;
};

}  // namespace fontprobe
