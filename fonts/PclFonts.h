#pragma once

#include <string>
#include <string_view>

#include "fonts/ResidentFont.h"

namespace fontprobe {

// The PCL status readback that asks a printer for the fonts in all its
// locations, with their names (font extended), wrapped for printers that
// choose their language job by job. It prints nothing.
std::string PclFontQuery();

// Whether `received` holds the whole answer: its heading and the form feed
// that ends it.
bool PclAnswerEnded(std::string_view received);

// The fonts of a status readback answer ("PCL", "INFO FONTS", a SELECT= for
// each font with its NAME= after it, a form feed at the end), or why it is no
// list; ERROR=NONE is a whole list of no fonts.
FontListing ReadPclAnswer(std::string_view answer);

}  // namespace fontprobe
