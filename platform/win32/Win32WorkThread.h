#pragma once

#include <windows.h>

#include <memory>

#include "printing/WorkThread.h"

namespace fontprobe {

// One Win32 thread that waits for work, started with the first piece of work:
// a new thread for each would cost every press the time Windows takes to start
// one, and one started with the program would cost a user who never presses
// the memory a thread takes.
class Win32WorkThread : public WorkThread {
 public:
  Win32WorkThread();
  ~Win32WorkThread() override;

  void Start(std::function<void()> work) override;
  bool Wait(std::chrono::milliseconds limit) override;

 private:
  struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
  };
  using Handle = std::unique_ptr<void, HandleCloser>;

  static DWORD WINAPI Serve(void* self);

  // Set once work_ holds work, or nothing to tell the thread to end.
  Handle workReady_;
  // Set while no work is on its way.
  Handle idle_;
  std::function<void()> work_;
  Handle thread_;
};

}  // namespace fontprobe
