#include "cli/FollowJob.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

#include "cli/Output.h"
#include "platform/PlatformError.h"
#include "platform/cups/Utf8.h"

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

int StoppedWaiting(const JobPlace& place, int id) {
  return Fail(kInterrupted, "fontprobe: stopped waiting. Job " + std::to_string(id) +
                                " stays queued on " + place.printer + "; " + place.cancelHint +
                                std::to_string(id));
}

// The deadline passed with the job still under way; the printer's state, if it still answers.
int StillWaiting(const JobPlace& place, int id, const CupsJobStatus& job,
                 const Deadline& deadline) {
  std::string message = "fontprobe: still waiting after " + deadline.Said() + ": job " +
                        std::to_string(id) + " is " + JobStateName(job.state) + Reasons(job);
  try {
    const CupsPrinter state = place.printerState(deadline.Grace());
    message += "; printer " + place.printer + " is " + PrinterStateName(state.state);
    if (!state.stateMessage.empty()) message += ": " + Sentence(state.stateMessage);
  } catch (const PlatformError&) {
    // Its state is not known: the job's is enough.
  } catch (const Stopped&) {
    return StoppedWaiting(place, id);
  }
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
          [queue](const Deadline& grace) { return CupsServer(grace).Printer(queue); },
          "cancel it with: cancel "};
}

namespace {

// How the job ended, if it has: the exit status, having said so.
std::optional<int> Ended(const JobPlace& place, int id, const CupsJobStatus& job) {
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
      return std::nullopt;
  }
}

// Sleeps until the next question, a twentieth of a second at a time so that
// Ctrl-C is heard; false when the user stopped.
bool Pause(Clock::duration interval, const Deadline& deadline) {
  const auto until = Clock::now() + interval;
  while (Clock::now() < until && !deadline.Passed()) {
    if (deadline.Stopped()) return false;
    std::this_thread::sleep_for(
        std::min<Clock::duration>({std::chrono::milliseconds(50), until - Clock::now(),
                                   std::chrono::milliseconds(deadline.Milliseconds())}));
  }
  return !deadline.Stopped();
}

}  // namespace

int FollowJob(const JobPlace& place, int id, const Deadline& deadline) {
  const auto start = Clock::now();
  const bool showProgress = isatty(STDERR_FILENO);
  auto interval = std::chrono::milliseconds(10);
  std::optional<JobState> shown;
  CupsJobStatus last;
  for (;;) {
    std::optional<CupsJobStatus> job;
    try {
      job = place.job(id);
    } catch (const Stopped&) {
      return StoppedWaiting(place, id);
    } catch (const PlatformError& error) {
      // The page is delivered: no answer now is not "not sent".
      return Fail(kStillWaiting,
                  "fontprobe: job " + std::to_string(id) + " went to " + place.printer +
                      ", but its state is unknown: " + Sentence(ToUtf8(error.message())) + ". " +
                      place.cancelHint + std::to_string(id) + " removes it, if it is still queued");
    }
    if (!job) {
      return Fail(kForgotten, "fontprobe: the page was delivered as job " + std::to_string(id) +
                                  ", but " + place.printer +
                                  " no longer knows the job: whether it printed is unknown; "
                                  "look at the printer.");
    }
    last = *job;
    if (showProgress && shown != job->state) {
      Fail(kDone, "job " + std::to_string(id) + ": " + JobStateName(job->state) + Reasons(*job));
      shown = job->state;
    }
    if (const auto status = Ended(place, id, *job)) return *status;
    if (deadline.Stopped()) return StoppedWaiting(place, id);
    if (deadline.Passed()) return StillWaiting(place, id, last, deadline);
    if (!Pause(interval, deadline)) return StoppedWaiting(place, id);
    if (deadline.Passed()) return StillWaiting(place, id, last, deadline);
    // Every 10 ms for the first two seconds, then backing off to one a second.
    if (Clock::now() - start > std::chrono::seconds(2)) {
      interval = std::min(interval * 3 / 2, std::chrono::milliseconds(1000));
    }
  }
}

}  // namespace fontprobe
