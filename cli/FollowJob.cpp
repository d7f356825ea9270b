#include "cli/FollowJob.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

#include "cli/Output.h"

namespace fontprobe {

volatile std::sig_atomic_t interrupted = 0;

namespace {

using Clock = std::chrono::steady_clock;

const char* JobStateName(JobState state) {
  switch (state) {
    case JobState::Pending:
      return "pending";
    case JobState::Held:
      return "held";
    case JobState::Processing:
      return "processing";
    case JobState::Stopped:
      return "stopped";
    case JobState::Canceled:
      return "canceled";
    case JobState::Aborted:
      return "aborted";
    case JobState::Completed:
      return "completed";
  }
  return "unknown";
}

std::string Reasons(const CupsJobStatus& job) {
  std::string reasons = job.reasons;
  if (!job.printerMessage.empty()) {
    reasons += (reasons.empty() ? "" : "; ") + Sentence(job.printerMessage);
  }
  return reasons.empty() ? "" : " (" + reasons + ")";
}

int StillWaiting(CupsServer& server, const std::string& printer, int id, const CupsJobStatus& job,
                 double seconds) {
  const CupsPrinter state = server.Printer(printer);
  char after[32];
  std::snprintf(after, sizeof after, "%g s", seconds);
  std::string message = "fontprobe: still waiting after " + std::string(after) + ": job " +
                        std::to_string(id) + " is " + JobStateName(job.state) + Reasons(job) +
                        "; printer " + printer + " is " + PrinterStateName(state.state);
  if (!state.stateMessage.empty()) message += ": " + Sentence(state.stateMessage);
  return Fail(kStillWaiting,
              message + ". The job stays queued; cancel it with: cancel " + std::to_string(id));
}

}  // namespace

std::string Sentence(std::string text) {
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  return text;
}

int FollowJob(CupsServer& server, const std::string& printer, int id, double timeoutSeconds) {
  const auto start = Clock::now();
  const auto deadline = start + std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<double>(timeoutSeconds));
  const bool showProgress = isatty(STDERR_FILENO);
  auto interval = std::chrono::milliseconds(10);
  std::optional<JobState> shown;
  for (;;) {
    const CupsJobStatus job = server.Job(printer, id);
    if (showProgress && shown != job.state) {
      Fail(kDone, "job " + std::to_string(id) + ": " + JobStateName(job.state) + Reasons(job));
      shown = job.state;
    }
    switch (job.state) {
      case JobState::Completed:
        Say("Job " + std::to_string(id) + " completed: " + printer + " has printed the test page.");
        return kDone;
      case JobState::Aborted:
      case JobState::Canceled:
        return Fail(kNotPrinted, "fontprobe: job " + std::to_string(id) + " was " +
                                     JobStateName(job.state) + " without printing" + Reasons(job) +
                                     ".");
      default:
        break;
    }
    if (interrupted) {
      return Fail(kInterrupted, "fontprobe: stopped waiting. Job " + std::to_string(id) +
                                    " stays queued on " + printer + "; cancel it with: cancel " +
                                    std::to_string(id));
    }
    if (Clock::now() >= deadline) return StillWaiting(server, printer, id, job, timeoutSeconds);
    std::this_thread::sleep_for(std::min<Clock::duration>(interval, deadline - Clock::now()));
    // Every 10 ms for the first two seconds, then backing off to one a second.
    if (Clock::now() - start > std::chrono::seconds(2)) {
      interval = std::min(interval * 3 / 2, std::chrono::milliseconds(1000));
    }
  }
}

}  // namespace fontprobe
