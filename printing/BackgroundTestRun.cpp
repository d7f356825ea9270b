#include "printing/BackgroundTestRun.h"

#include <utility>

namespace fontprobe {

BackgroundTestRun::BackgroundTestRun(PrinterRegistry& registry, Spooler& spooler,
                                     WorkThread& thread)
    : registry_(registry), spooler_(spooler), thread_(thread) {}

bool BackgroundTestRun::Start(PrinterFamily family, std::u16string chosenName, Finished finished) {
  if (running_.exchange(true)) return false;
  try {
    thread_.Start([this, family, name = std::move(chosenName), finished = std::move(finished)] {
      Run(family, name, finished);
    });
  } catch (...) {
    running_ = false;
    throw;
  }
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
  // Over before it is told, so that whoever is told finds no run on its way.
  running_ = false;
  finished(std::move(end));
}

}  // namespace fontprobe
