#include "printing/TestRun.h"

#include "printers/PrinterSelection.h"
#include "printing/RawPrintJob.h"

namespace fontprobe {
namespace {

// The printer's name was recognized by then, so a printer that will not open
// (access denied, removed since the list was read) did not get the page either.
const char16_t* MessageFor(RawJobOutcome outcome) {
  return outcome == RawJobOutcome::PageSent ? kExecutedMessage : kNotSentMessage;
}

RawJobOutcome SendToCurrentPrinter(PrinterFamily family, PrinterRegistry& registry,
                                   Spooler& spooler) {
  const auto chosen = registry.CurrentDeviceName();
  if (!chosen) return RawJobOutcome::PrinterNotOpened;
  return SendRawPrintJob(spooler, *chosen, ComposeTestPage(family)).outcome;
}

}  // namespace

std::u16string RunPrinterTest(PrinterFamily family, const std::u16string& chosenName,
                              PrinterRegistry& registry, Spooler& spooler) {
  const auto remembered = registry.CurrentDeviceName();
  // One reading of the printers for the whole run: selecting and restoring
  // cost one enumeration, however many printers there are.
  const std::vector<std::u16string> printers = registry.DeviceNames();
  if (!SelectPrinterByName(registry, printers, chosenName)) return kNotRecognizedMessage;

  const auto restore = [&] {
    if (remembered) SelectPrinterByName(registry, printers, *remembered);
  };
  RawJobOutcome outcome;
  try {
    outcome = SendToCurrentPrinter(family, registry, spooler);
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return MessageFor(outcome);
}

}  // namespace fontprobe
