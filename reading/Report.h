#pragma once

#include <string>
#include <vector>

#include "reading/PageReader.h"

namespace fontprobe {

// The words for a page read, the same in the fontprobe command and the
// Windows program: the file (and page number, after the first), a line for
// each test block, and the verdict.
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
