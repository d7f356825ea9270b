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
  // The chosen printer is looked up by its name alone, not by reading every
  // printer, so that a press costs the same with 4 printers or 400.
  if (!SelectPrinterByName(registry, chosenName)) return kNotRecognizedMessage;

  const auto restore = [&] {
    if (remembered) SelectPrinterByName(registry, *remembered);
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
