#pragma once

#include "interfaces/MessageSink.h"
#include "printers/PrinterRegistry.h"
#include "printers/PrinterSelection.h"
#include "printing/Spooler.h"
#include "printing/TestPage.h"

namespace fontprobe {

// What a test run works with: the window's chooser and the platform.
struct TestRunContext {
  PrinterChooser& chooser;
  PrinterRegistry& registry;
  Spooler& spooler;
  MessageSink& messages;
};

inline constexpr char16_t kExecutedMessage[] = u"Executed!";
inline constexpr char16_t kNotRecognizedMessage[] =
    u"The Printer Name you typed wasn't recognized.";
inline constexpr char16_t kNotSentMessage[] = u"The test page could not be sent to the printer.";

// Sends the family's test page to the printer named by the chooser's text and
// tells the user how it went. The printer current before the run is current
// again afterwards, whatever happened.
void RunPrinterTest(PrinterFamily family, const TestRunContext& context);

}  // namespace fontprobe
