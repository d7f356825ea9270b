#include "platform/win32/Win32WorkThread.h"

#include <algorithm>
#include <utility>

#include "platform/win32/Win32Error.h"

namespace fontprobe {

Win32WorkThread::Win32WorkThread()
    : workReady_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      idle_(CreateEventW(nullptr, TRUE, TRUE, nullptr)) {}

Win32WorkThread::~Win32WorkThread() {
  if (!thread_) return;
  Wait(std::chrono::milliseconds(INFINITE));
  work_ = nullptr;
  SetEvent(workReady_.get());
  WaitForSingleObject(thread_.get(), INFINITE);
}

DWORD WINAPI Win32WorkThread::Serve(void* self) {
  auto& served = *static_cast<Win32WorkThread*>(self);
  for (;;) {
    WaitForSingleObject(served.workReady_.get(), INFINITE);
    const std::function<void()> work = std::exchange(served.work_, nullptr);
    if (!work) return 0;
    work();
    SetEvent(served.idle_.get());
  }
}

void Win32WorkThread::Start(std::function<void()> work) {
  if (!thread_) {
    if (workReady_ && idle_) thread_.reset(CreateThread(nullptr, 0, Serve, this, 0, nullptr));
    if (!thread_) ThrowWin32Error(u"Fontprobe could not start the test.", GetLastError());
  }
  WaitForSingleObject(idle_.get(), INFINITE);
  work_ = std::move(work);
  ResetEvent(idle_.get());
  SetEvent(workReady_.get());
}

bool Win32WorkThread::Wait(std::chrono::milliseconds limit) {
  if (!thread_) return true;
  const auto milliseconds = static_cast<DWORD>(std::clamp<long long>(limit.count(), 0, INFINITE));
  return WaitForSingleObject(idle_.get(), milliseconds) == WAIT_OBJECT_0;
}

}  // namespace fontprobe
