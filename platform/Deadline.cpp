#include "platform/Deadline.h"

#include <algorithm>
#include <cstdio>

namespace fontprobe {

using Clock = std::chrono::steady_clock;

Deadline::Deadline(double seconds, const volatile std::sig_atomic_t* stop)
    : seconds_(seconds),
      end_(Clock::now() +
           std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds))),
      stop_(stop) {}

bool Deadline::Passed() const { return Clock::now() >= end_; }

int Deadline::Milliseconds() const {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end_ - Clock::now());
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(1, left.count()));
}

int* Deadline::CancelFlag() const {
  // sig_atomic_t is an int here; libcups only reads the flag, between polls.
  static int never = 0;
  return stop_ ? const_cast<int*>(reinterpret_cast<const volatile int*>(stop_)) : &never;
}

std::string Deadline::Said() const {
  char text[32];
  std::snprintf(text, sizeof text, "%g s", seconds_);
  return text;
}

Deadline Deadline::Grace() const {
  const double left = Passed() ? 0 : Milliseconds() / 1000.0;
  return Deadline(Stopped() ? 0.3 : std::clamp(left, 0.5, 5.0));
}

}  // namespace fontprobe
