#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace fontprobe::testing {

// A job as the rig's capture printer received it; queue and title are UTF-8.
struct CapturedJob {
  int id = 0;
  std::string queue;
  std::string title;
  std::string data;
  long long arrivedNs = 0;  // when the capture backend had it, in ns since 1970
};

// The jobs captured so far, oldest first.
std::vector<CapturedJob> CapturedJobs();

// Waits until `count` jobs have been captured, then a moment longer so that a
// job too many would show too.
std::vector<CapturedJob> WaitForCapturedJobs(
    std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(20));

void ForgetCapturedJobs();

// The Windows path, under Wine's Z: drive, of a Unix path that the rig hands
// over in an environment variable.
std::wstring WinePathFromEnv(const wchar_t* variable);

}  // namespace fontprobe::testing
