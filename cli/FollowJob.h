#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/Deadline.h"
#include "platform/cups/CupsServer.h"

namespace fontprobe {

// Where a job is followed: on a CUPS queue, or on the printer itself.
struct JobPlace {
  std::string printer;  // as the user named it: the queue or the address
  // The job's state; nothing when the printer or server no longer knows it.
  std::function<std::optional<CupsJobStatus>(int id)> job;
  // The printer's state, asked once the time is up: over a connection of its
  // own, within `grace`.
  std::function<CupsPrinter(const Deadline& grace)> printerState;
  std::string cancelHint;  // how to cancel a job left waiting, with its id after it
};
JobPlace QueuePlace(CupsServer& server, const std::string& queue);

// Asks for the job's state, often at first and then less often, until it
// ends, the deadline passes, the printer forgets the job, or the user presses
// Ctrl-C; says how it went and returns the exit status for it.
int FollowJob(const JobPlace& place, int id, const Deadline& deadline);

}  // namespace fontprobe
