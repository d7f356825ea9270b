// Any bytes a printer could send back to the font queries, read as a
// PostScript and as a PCL answer: a list is never longer than a printer's,
// no name is empty or too long, and an answer that ended is read whole.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fonts/PclFonts.h"
#include "fonts/PostScriptFonts.h"

namespace {

void Check(const fontprobe::FontListing& listing, bool ended) {
  using fontprobe::ListingState;
  if (listing.fonts.size() > fontprobe::kMostFonts) __builtin_trap();
  for (const fontprobe::ResidentFont& font : listing.fonts) {
    if (font.name.size() > fontprobe::kLongestName) __builtin_trap();
    if (font.selection.size() > fontprobe::kLongestName) __builtin_trap();
  }
  if (ended && listing.state == ListingState::BrokenOff) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view answer(reinterpret_cast<const char*>(data), size);
  const fontprobe::FontListing postScript = fontprobe::ReadPostScriptAnswer(answer);
  Check(postScript, fontprobe::PostScriptAnswerEnded(answer));
  for (const fontprobe::ResidentFont& font : postScript.fonts) {
    if (font.name.empty()) __builtin_trap();
  }
  Check(fontprobe::ReadPclAnswer(answer), fontprobe::PclAnswerEnded(answer));
  return 0;
}
