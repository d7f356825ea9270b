#pragma once

#include <csignal>
#include <string>

#include "platform/cups/CupsServer.h"

namespace fontprobe {

// Set by the SIGINT handler: the user has stopped waiting.
extern volatile std::sig_atomic_t interrupted;

// Asks CUPS for the job's state, often at first and then less often, until it
// ends, the time runs out or the user presses Ctrl-C; says how it went and
// returns the exit status for it.
int FollowJob(CupsServer& server, const std::string& printer, int id, double timeoutSeconds);

// CUPS's own sentences, without the full stop that Fontprobe's sentence adds.
std::string Sentence(std::string text);

}  // namespace fontprobe
