#pragma once

#include <functional>
#include <string>

#include "platform/cups/CupsServer.h"

namespace fontprobe {

// Where a job is followed: on a CUPS queue, or on the printer itself.
struct JobPlace {
  std::string printer;  // as the user named it: the queue or the address
  std::function<CupsJobStatus(int id)> job;
  std::function<CupsPrinter()> printerState;
  std::string cancelHint;  // how to cancel a job left waiting, with its id after it
};
JobPlace QueuePlace(CupsServer& server, const std::string& queue);

// Asks for the job's state, often at first and then less often, until it
// ends, the time runs out or the user presses Ctrl-C; says how it went and
// returns the exit status for it.
int FollowJob(const JobPlace& place, int id, double timeoutSeconds);

}  // namespace fontprobe
