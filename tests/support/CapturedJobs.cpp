#include "tests/support/CapturedJobs.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace fontprobe::testing {
namespace {

namespace fs = std::filesystem;

// The rig names its jobs folder by its Unix path; Wine shows the Unix root as Z:.
fs::path JobsFolder() {
  wchar_t unixPath[1024];
  const DWORD length = GetEnvironmentVariableW(L"FONTPROBE_RIG_JOBS", unixPath, 1024);
  if (length == 0 || length >= 1024) throw std::runtime_error("FONTPROBE_RIG_JOBS is not set");
  std::wstring path = L"Z:" + std::wstring(unixPath, length);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::vector<CapturedJob> CapturedJobs() {
  std::vector<CapturedJob> jobs;
  const fs::path folder = JobsFolder();
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != L".data") continue;
    fs::path base = entry.path();
    CapturedJob job;
    job.id = std::stoi(base.stem().wstring());
    job.data = ReadFile(base);
    job.title = ReadFile(base.replace_extension(L".title"));
    job.queue = ReadFile(base.replace_extension(L".queue"));
    jobs.push_back(std::move(job));
  }
  std::sort(jobs.begin(), jobs.end(), [](auto& a, auto& b) { return a.id < b.id; });
  return jobs;
}

std::vector<CapturedJob> WaitForCapturedJobs(std::size_t count, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (CapturedJobs().size() < count && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(750));
  return CapturedJobs();
}

void ForgetCapturedJobs() {
  for (const auto& entry : fs::directory_iterator(JobsFolder())) fs::remove(entry.path());
}

}  // namespace fontprobe::testing
