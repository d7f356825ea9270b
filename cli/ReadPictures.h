#pragma once

#include "cli/Arguments.h"

namespace fontprobe {

// fontprobe read: reads each page of each picture file, says for each which
// sequence printed OCR-B (as text or JSON), and draws the annotated pictures.
// 0 when a sequence printed OCR-B on a page, 6 when pages were read and none
// did, 7 when no page could be read.
int ReadPictures(const ReadRequest& request);

}  // namespace fontprobe
