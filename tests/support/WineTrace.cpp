#include "tests/support/WineTrace.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/support/CapturedJobs.h"

namespace fontprobe::testing {

WineTraceOn::WineTraceOn(const std::wstring& channels) {
  SetEnvironmentVariableW(L"WINEDEBUG", (L"+pid," + channels).c_str());
}

WineTraceOn::~WineTraceOn() { SetEnvironmentVariableW(L"WINEDEBUG", L"-all"); }

std::vector<std::string> TracedCalls(DWORD pid, const std::string& function) {
  // A line reads "PID:TID:trace:CHANNEL:FUNCTION ARGUMENTS", the ids in hex.
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%04lx:", static_cast<unsigned long>(pid));
  std::ifstream log(std::filesystem::path(WinePathFromEnv(L"FONTPROBE_TRACE")));
  std::vector<std::string> calls;
  for (std::string line; std::getline(log, line);) {
    if (line.rfind(prefix, 0) != 0) continue;
    const auto name = line.find(":" + function + " ");
    if (name == std::string::npos) continue;
    std::string arguments = line.substr(name + function.size() + 2);
    if (arguments.rfind("<-", 0) != 0) calls.push_back(std::move(arguments));
  }
  return calls;
}

}  // namespace fontprobe::testing
