#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/Arguments.h"

namespace fontprobe {

// The best of a printer's document formats for a raw test page: PCL's own
// type for the PCL page where listed, else application/octet-stream.
std::optional<std::string> RawFormatFor(PrinterFamily family,
                                        const std::vector<std::string>& formats);

// What a printer listing `formats` takes of a raw page, as one line.
std::string RawPageLine(const std::vector<std::string>& formats);

// Sends the test page to the printer at request.uri with no queue, and for
// ipp:// and ipps:// follows the job on the printer; the exit status.
int PrintToAddress(const PrintRequest& request);

}  // namespace fontprobe
