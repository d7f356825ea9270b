#include "printing/BackgroundTestRun.h"

#include <utility>

namespace fontprobe {

BackgroundTestRun::BackgroundTestRun(PrinterRegistry& registry, Spooler& spooler)
    : registry_(registry), spooler_(spooler) {}

BackgroundTestRun::~BackgroundTestRun() {
  if (thread_.joinable()) thread_.join();
}

bool BackgroundTestRun::Start(PrinterFamily family, std::u16string chosenName, Finished finished) {
  const std::lock_guard lock(mutex_);
  if (running_) return false;
  // The last run has ended; its thread has at most its report left to hand on.
  if (thread_.joinable()) thread_.join();
  running_ = true;
  thread_ = std::thread([this, family, name = std::move(chosenName),
                         finished = std::move(finished)] { Run(family, name, finished); });
  return true;
}

void BackgroundTestRun::Run(PrinterFamily family, const std::u16string& chosenName,
                            const Finished& finished) {
  TestRunEnd end;
  try {
    end.message = RunPrinterTest(family, chosenName, registry_, spooler_);
  } catch (...) {
    end.error = std::current_exception();
  }
  {
    const std::lock_guard lock(mutex_);
    running_ = false;
  }
  ended_.notify_all();
  finished(std::move(end));
}

bool BackgroundTestRun::Running() const {
  const std::lock_guard lock(mutex_);
  return running_;
}

bool BackgroundTestRun::Finish(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  if (!ended_.wait_for(lock, limit, [this] { return !running_; })) return false;
  if (thread_.joinable()) thread_.join();
  return true;
}

}  // namespace fontprobe
