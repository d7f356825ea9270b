#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fontprobe::testing {

// Turns Wine trace channels on for the programs this process starts while it
// lives (with +pid, so that each line names its process). Wine writes their
// lines to the Unix standard error they inherit: the rig test sends it to the
// file named by FONTPROBE_TRACE.
class WineTraceOn {
 public:
  explicit WineTraceOn(const std::wstring& channels);
  ~WineTraceOn();
  WineTraceOn(const WineTraceOn&) = delete;
  WineTraceOn& operator=(const WineTraceOn&) = delete;
};

// The argument text of each call to `function` that process `pid` made, as the
// trace logged it on entry (return lines, "<- ...", are left out), oldest first.
std::vector<std::string> TracedCalls(DWORD pid, const std::string& function);

}  // namespace fontprobe::testing
