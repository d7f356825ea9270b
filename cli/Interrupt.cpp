#include "cli/Interrupt.h"

namespace fontprobe {

volatile std::sig_atomic_t interrupted = 0;

void CatchInterrupt() {
  std::signal(SIGINT, [](int) { interrupted = 1; });
}

}  // namespace fontprobe
