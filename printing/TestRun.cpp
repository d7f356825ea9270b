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

}  // namespace

std::u16string RunPrinterTest(PrinterFamily family, const std::u16string& chosenName,
                              PrinterRegistry& registry, Spooler& spooler) {
  const auto remembered = registry.CurrentDeviceName();
  // The spooler opens the chosen printer by its exact name or not at all, so
  // the name is checked where the page goes, not looked up once before.
  const RawJobOutcome outcome =
      SendRawPrintJob(spooler, chosenName, ComposeTestPage(family)).outcome;
  if (outcome == RawJobOutcome::NoSuchPrinter) return kNotRecognizedMessage;

  registry.MakeCurrent(chosenName);
  if (remembered) SelectPrinterByName(registry, *remembered);
  return MessageFor(outcome);
}

}  // namespace fontprobe
