#pragma once

#include "reading/Image.h"
#include "reading/PageReader.h"

namespace fontprobe {

// A picture that shows why: the verdict above the page, straightened and the
// right way up; each line of 3s boxed in the colour of its judgement and
// labelled; and beside each, its characters' mean enlarged next to OCR-B's 3.
// A page that could not be read is shown as it came, under the reason.
RgbImage AnnotatePage(const GreyView& picture, const PageReading& reading);

}  // namespace fontprobe
