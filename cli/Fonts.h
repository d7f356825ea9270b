#pragma once

#include "cli/Arguments.h"

namespace fontprobe {

// fontprobe fonts: asks the printer behind a queue, or at a raw port, whether
// OCR-B is among its resident fonts, and says so (as text or JSON). 0 when it
// is, 6 when its fonts were listed and none is, 10 when it could not be asked.
int Fonts(const FontsRequest& request);

}  // namespace fontprobe
