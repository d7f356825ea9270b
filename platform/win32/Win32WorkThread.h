#pragma once

#include <windows.h>

#include <memory>

#include "printing/WorkThread.h"

namespace fontprobe {

// A Win32 thread for each piece of work.
class Win32WorkThread : public WorkThread {
 public:
  // Waits for the work on its way, however long it takes.
  ~Win32WorkThread() override;

  void Start(std::function<void()> work) override;
  bool Wait(std::chrono::milliseconds limit) override;

 private:
  bool WaitFor(DWORD milliseconds);

  struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
  };
  std::unique_ptr<void, HandleCloser> thread_;
};

}  // namespace fontprobe
