#pragma once

#include <string>

#include "printing/Spooler.h"

namespace fontprobe {

enum class RawJobOutcome { NoSuchPrinter, PrinterNotOpened, PageNotSent, PageSent };

struct RawJob {
  RawJobOutcome outcome;
  Spooler::JobId id = 0;  // the spooler's job, once the document has started
};

// Hands `page` to the printer `deviceName` as one unrendered spooler document of
// one page, named "Command Print". A page that cannot be delivered whole is
// aborted, so that a printer never gets half a page of escape sequences.
RawJob SendRawPrintJob(Spooler& spooler, const std::u16string& deviceName, const std::string& page);

}  // namespace fontprobe
