// Measures, under Wine in the rig, Fontprobe's start (process start to window
// shown) and peak memory against the floor program, and a test run on the last
// printer of the list from click to the job captured by the spooler. Prints one
// line per figure, in ms or KB.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Form1Controls.h"
#include "printing/TestPage.h"
#include "tests/support/CapturedJobs.h"
#include "tests/support/WindowDriver.h"

namespace {

using namespace fontprobe::testing;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 20;
// A press moves by several ms from one to the next with the spooler's own
// work, so the presses are measured in more pairs than the starts.
constexpr int kPresses = 60;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Program {
  const char* name;
  std::wstring exe;
  const wchar_t* windowClass;
  const wchar_t* caption;
  std::vector<double> startMs = {};
  std::vector<double> peakKb = {};
};

void MeasureStart(Program& program) {
  const auto start = Clock::now();
  AppProcess app(program.exe, program.windowClass, program.caption);
  program.startMs.push_back(MillisecondsSince(start));
  Sleep(300);
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(app.handle(), &memory, sizeof memory);
  program.peakKb.push_back(static_cast<double>(memory.PeakWorkingSetSize) / 1024);
}

// Now on the clock the capture backend notes each job's arrival with:
// nanoseconds since 1970.
long long UnixNanoseconds() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  const long long ticks = (static_cast<long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return (ticks - 116444736000000000LL) * 100;
}

// From a press of `button` until the spooler has the job, in ms; the message
// box a press shows, if any, is answered afterwards.
double ClickToCaptured(const AppProcess& app, HWND button, bool showsMessage) {
  ForgetCapturedJobs();
  const long long start = UnixNanoseconds();
  Click(button);
  const std::vector<CapturedJob> jobs = WaitForCapturedJobs(1, std::chrono::seconds(20));
  if (showsMessage) AnswerMessageBox(app);
  return jobs.empty() ? 1e9 : static_cast<double>(jobs[0].arrivedNs - start) / 1e6;
}

}  // namespace

int main() {
  Program floor{"floor", WinePathFromEnv(L"FONTPROBE_FLOOR_EXE"), L"FloorWindow", L"Floor"};
  Program fontprobe{"fontprobe", WinePathFromEnv(L"FONTPROBE_EXE"), L"FontprobeForm1",
                    L"Fontprobe"};
  // One start of each to warm the caches, then alternate so that both see the
  // same machine.
  for (int run = 0; run <= kRuns; ++run) {
    for (Program* program : {&floor, &fontprobe}) {
      MeasureStart(*program);
      if (run == 0) program->startMs.clear(), program->peakKb.clear();
    }
  }
  for (const Program& program : {floor, fontprobe}) {
    std::printf("%s_start_ms %.1f\n%s_peak_kb %.0f\n", program.name, Median(program.startMs),
                program.name, Median(program.peakKb));
  }
  // The last printer of the list, for Fontprobe's press and the floor's, each
  // run one after the other so that both see the same machine.
  FontprobeProcess app;
  const std::wstring last = ComboItems(app.control(fontprobe::form1::kCombo1)).back();
  SetWindowTextW(app.control(fontprobe::form1::kCombo1), last.c_str());
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring pageFile = std::wstring(folder) + L"fontprobe-floor-page.bin";
  const std::string page = fontprobe::ComposeTestPage(fontprobe::PrinterFamily::Pcl);
  std::ofstream(std::filesystem::path(pageFile), std::ios::binary)
      .write(page.data(), static_cast<long>(page.size()));
  const AppProcess floorPress(WinePathFromEnv(L"FONTPROBE_FLOOR_PRESS_EXE"), L"FloorPressWindow",
                              L"Floor press", pageFile + L" " + last);
  std::vector<double> fontprobeMs;
  std::vector<double> floorMs;
  std::vector<double> differencesMs;
  for (int press = 0; press < kPresses; ++press) {
    fontprobeMs.push_back(ClickToCaptured(app, app.control(fontprobe::form1::kCommand2), true));
    floorMs.push_back(ClickToCaptured(floorPress, GetDlgItem(floorPress.mainWindow(), 1), false));
    differencesMs.push_back(fontprobeMs.back() - floorMs.back());
  }
  std::printf(
      "fontprobe_click_to_captured_ms %.1f\nfloor_click_to_captured_ms %.1f\n"
      "click_over_floor_press_ms %.1f\n",
      Median(fontprobeMs), Median(floorMs), Median(differencesMs));
  return 0;
}
