#include "cli/Interrupt.h"

namespace fontprobe {

volatile std::sig_atomic_t interrupted = 0;

void CatchInterrupt() {
  // Without SA_RESTART: a read or a wait that Ctrl-C interrupts returns, so
  // that every wait can end at once in its own words.
  struct sigaction action {};
  action.sa_handler = [](int) { interrupted = 1; };
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace fontprobe
