#pragma once

#include <chrono>
#include <functional>

namespace fontprobe {

// A thread for one piece of work at a time, from the platform: its own
// threads cost the Windows program less than the standard library's.
class WorkThread {
 public:
  virtual ~WorkThread() = default;
  // Runs `work` on a new thread, once the work before it has ended; throws
  // PlatformError when no thread can be started.
  virtual void Start(std::function<void()> work) = 0;
  // Waits at most `limit` for the work to end; true when no work is left.
  virtual bool Wait(std::chrono::milliseconds limit) = 0;
};

}  // namespace fontprobe
