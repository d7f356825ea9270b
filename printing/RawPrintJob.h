#pragma once

#include <string>

#include "platform/Spooler.h"

namespace fontprobe {

enum class RawJobOutcome { PrinterNotOpened, PageNotSent, PageSent };

// Hands `page` to the printer `deviceName` as one unrendered spooler document of
// one page, named "Command Print". A page that cannot be delivered whole is
// aborted, so that a printer never gets half a page of escape sequences.
RawJobOutcome SendRawPrintJob(Spooler& spooler, const std::u16string& deviceName,
                              const std::string& page);

}  // namespace fontprobe
