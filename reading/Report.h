#pragma once

#include <string>
#include <vector>

#include "reading/PageReader.h"

namespace fontprobe {

// What the report says of a page the picture shows mirrored.
inline constexpr const char* kMirroredWords =
    "the picture shows the page mirrored (seen through the paper, or by a front camera); "
    "it was read mirrored back";

// The words for a page read, the same in the fontprobe command and the
// Windows program: the file (and page number, after the first), whether the
// page was seen mirrored, a line for each test block, and the verdict.
std::vector<std::string> ReportLines(const std::string& fileName, int pageNumber,
                                     const PageReading& reading);

// How a block's line of 3s printed, as its line of the report says it.
std::string JudgementWords(const BlockReading& block);

// The verdict in one sentence.
std::string VerdictSentence(const PageReading& reading);

// The name a script reads: "comparison", "ocr-b", "same-as-comparison",
// "other" or "unclear".
const char* TypefaceName(Typeface typeface);
const char* VerdictName(Verdict verdict);

}  // namespace fontprobe
