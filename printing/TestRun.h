#pragma once

#include <string>

#include "printers/PrinterRegistry.h"
#include "printing/Spooler.h"
#include "printing/TestPage.h"

namespace fontprobe {

inline constexpr char16_t kExecutedMessage[] = u"Executed!";
inline constexpr char16_t kNotRecognizedMessage[] =
    u"The Printer Name you typed wasn't recognized.";
inline constexpr char16_t kNotSentMessage[] = u"The test page could not be sent to the printer.";

// Sends the family's test page to the printer named `chosenName` (the chooser's
// text when the button was pressed) and returns the message that tells the user
// how it went. The printer current before the run is current again afterwards,
// whatever happened.
std::u16string RunPrinterTest(PrinterFamily family, const std::u16string& chosenName,
                              PrinterRegistry& registry, Spooler& spooler);

}  // namespace fontprobe
