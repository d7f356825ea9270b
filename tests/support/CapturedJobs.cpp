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

fs::path JobsFolder() { return WinePathFromEnv(L"FONTPROBE_RIG_JOBS"); }

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::wstring WinePathFromEnv(const wchar_t* variable) {
  wchar_t unixPath[2048];
  const DWORD length = GetEnvironmentVariableW(variable, unixPath, 2048);
  if (length == 0 || length >= 2048) throw std::runtime_error("a rig variable is not set");
  // Wine shows the Unix root as drive Z:.
  std::wstring path = L"Z:" + std::wstring(unixPath, length);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

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
    const std::string arrived = ReadFile(base.replace_extension(L".time"));
    job.arrivedNs = arrived.empty() ? 0 : std::stoll(arrived);
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
