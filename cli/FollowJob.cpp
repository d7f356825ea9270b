#include "cli/FollowJob.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

#include "cli/Interrupt.h"
#include "cli/Output.h"

namespace fontprobe {

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

int StillWaiting(const JobPlace& place, int id, const CupsJobStatus& job, double seconds) {
  const CupsPrinter state = place.printerState();
  char after[32];
  std::snprintf(after, sizeof after, "%g s", seconds);
  std::string message = "fontprobe: still waiting after " + std::string(after) + ": job " +
                        std::to_string(id) + " is " + JobStateName(job.state) + Reasons(job) +
                        "; printer " + place.printer + " is " + PrinterStateName(state.state);
  if (!state.stateMessage.empty()) message += ": " + Sentence(state.stateMessage);
  return Fail(kStillWaiting,
              message + ". The job stays queued; " + place.cancelHint + std::to_string(id));
}

// CUPS ends some jobs "completed" that its backend could not hand to the
// printer; its message is then the only sign.
bool CompletedWithoutPrinting(const CupsJobStatus& job) {
  // The words of CUPS's ipp backend when the printer refused the document.
  for (const char* refusal :
       {"Unable to add document to print job", "Unable to create print job"}) {
    if (Sentence(job.printerMessage) == refusal) return true;
  }
  return false;
}

}  // namespace

JobPlace QueuePlace(CupsServer& server, const std::string& queue) {
  return {queue, [&server, queue](int id) { return server.Job(queue, id); },
          [&server, queue] { return server.Printer(queue); }, "cancel it with: cancel "};
}

int FollowJob(const JobPlace& place, int id, double timeoutSeconds) {
  const auto start = Clock::now();
  const auto deadline = start + std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<double>(timeoutSeconds));
  const bool showProgress = isatty(STDERR_FILENO);
  auto interval = std::chrono::milliseconds(10);
  std::optional<JobState> shown;
  for (;;) {
    const CupsJobStatus job = place.job(id);
    if (showProgress && shown != job.state) {
      Fail(kDone, "job " + std::to_string(id) + ": " + JobStateName(job.state) + Reasons(job));
      shown = job.state;
    }
    switch (job.state) {
      case JobState::Completed:
        if (CompletedWithoutPrinting(job)) {
          return Fail(kNotPrinted, "fontprobe: job " + std::to_string(id) +
                                       " ended without printing: CUPS marked it completed, but " +
                                       "said: " + Sentence(job.printerMessage) + ".");
        }
        Say("Job " + std::to_string(id) + " completed: " + place.printer +
            " has printed the test page.");
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
                                    " stays queued on " + place.printer + "; " + place.cancelHint +
                                    std::to_string(id));
    }
    if (Clock::now() >= deadline) return StillWaiting(place, id, job, timeoutSeconds);
    std::this_thread::sleep_for(std::min<Clock::duration>(interval, deadline - Clock::now()));
    // Every 10 ms for the first two seconds, then backing off to one a second.
    if (Clock::now() - start > std::chrono::seconds(2)) {
      interval = std::min(interval * 3 / 2, std::chrono::milliseconds(1000));
    }
  }
}

}  // namespace fontprobe
