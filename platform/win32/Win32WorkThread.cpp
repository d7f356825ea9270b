#include "platform/win32/Win32WorkThread.h"

#include <algorithm>

#include "platform/win32/Win32Error.h"

namespace fontprobe {
namespace {

DWORD WINAPI RunWork(void* work) {
  const std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(work));
  (*owned)();
  return 0;
}

}  // namespace

Win32WorkThread::~Win32WorkThread() { WaitFor(INFINITE); }

void Win32WorkThread::Start(std::function<void()> work) {
  WaitFor(INFINITE);
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  HANDLE thread = CreateThread(nullptr, 0, RunWork, owned.get(), 0, nullptr);
  if (!thread) ThrowWin32Error(u"Fontprobe could not start the test.", GetLastError());
  owned.release();
  thread_.reset(thread);
}

bool Win32WorkThread::Wait(std::chrono::milliseconds limit) {
  return WaitFor(static_cast<DWORD>(std::clamp<long long>(limit.count(), 0, INFINITE - 1)));
}

bool Win32WorkThread::WaitFor(DWORD milliseconds) {
  if (!thread_) return true;
  if (WaitForSingleObject(thread_.get(), milliseconds) != WAIT_OBJECT_0) return false;
  thread_.reset();
  return true;
}

}  // namespace fontprobe
