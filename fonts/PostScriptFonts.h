#pragma once

#include <string>
#include <string_view>

#include "fonts/ResidentFont.h"

namespace fontprobe {

// The PostScript job that asks a printer for its fonts: it lists the Font
// resources and asks for each spelling of OCR-B by name, each part guarded so
// that an error in one leaves the others, and prints no page. Wrapped for
// printers that choose their language job by job, which are back in their own
// language after it.
std::string PostScriptFontQuery();

// Whether `received` holds the whole answer, up to its last line.
bool PostScriptAnswerEnded(std::string_view received);

// The fonts an answer to the query lists (each once), or why it is no list.
FontListing ReadPostScriptAnswer(std::string_view answer);

}  // namespace fontprobe
