#include "printing/TestRun.h"

#include "printing/RawPrintJob.h"

namespace fontprobe {
namespace {

// The printer's name was recognized by then, so a printer that will not open
// (access denied, removed since the list was read) did not get the page either.
const char16_t* MessageFor(RawJobOutcome outcome) {
  return outcome == RawJobOutcome::PageSent ? kExecutedMessage : kNotSentMessage;
}

RawJobOutcome SendToCurrentPrinter(PrinterFamily family, const TestRunContext& context) {
  const auto chosen = context.registry.CurrentDeviceName();
  if (!chosen) return RawJobOutcome::PrinterNotOpened;
  return SendRawPrintJob(context.spooler, *chosen, ComposeTestPage(family)).outcome;
}

}  // namespace

void RunPrinterTest(PrinterFamily family, const TestRunContext& context) {
  const auto remembered = context.registry.CurrentDeviceName();
  // One reading of the printers for the whole run: selecting and restoring
  // cost one enumeration, however many printers there are.
  const std::vector<std::u16string> printers = context.registry.DeviceNames();
  if (!SelectPrinterByName(context.registry, printers, context.chooser.Text())) {
    context.messages.Show(kNotRecognizedMessage);
    return;
  }

  const auto restore = [&] {
    if (remembered) SelectPrinterByName(context.registry, printers, *remembered);
  };
  RawJobOutcome outcome;
  try {
    outcome = SendToCurrentPrinter(family, context);
  } catch (...) {
    restore();
    throw;
  }
  restore();
  context.messages.Show(MessageFor(outcome));
}

}  // namespace fontprobe
