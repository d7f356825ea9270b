#pragma once

#include <signal.h>

#include <csignal>

namespace fontprobe {

// Set by the SIGINT handler: the user has pressed Ctrl-C.
extern volatile std::sig_atomic_t interrupted;

// From now on Ctrl-C sets `interrupted` instead of ending the program, so
// that every wait can end in its own words.
void CatchInterrupt();

}  // namespace fontprobe
