#pragma once

#include <atomic>
#include <chrono>
#include <exception>
#include <functional>
#include <string>

#include "printing/TestRun.h"
#include "printing/WorkThread.h"

namespace fontprobe {

// How a test run ended: the message for the user, or the error that stopped
// it, to be rethrown where the user is told.
struct TestRunEnd {
  std::u16string message;
  std::exception_ptr error;
};

// Test runs, one at a time, on a thread of their own, so that a window keeps
// answering however long the spooler takes to take the page.
class BackgroundTestRun {
 public:
  // Called on the run's own thread, once the run has ended; it must not throw.
  using Finished = std::function<void(TestRunEnd)>;

  BackgroundTestRun(PrinterRegistry& registry, Spooler& spooler, WorkThread& thread);

  // Starts RunPrinterTest; false, and nothing starts, while a run is on its way.
  bool Start(PrinterFamily family, std::u16string chosenName, Finished finished);
  bool Running() const { return running_; }
  // Waits at most `limit` for the run on its way to end; true when none is left.
  bool Finish(std::chrono::milliseconds limit) { return thread_.Wait(limit); }

 private:
  void Run(PrinterFamily family, const std::u16string& chosenName, const Finished& finished);

  PrinterRegistry& registry_;
  Spooler& spooler_;
  WorkThread& thread_;
  std::atomic<bool> running_ = false;
};

}  // namespace fontprobe
