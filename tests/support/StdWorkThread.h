#pragma once

#include <future>
#include <thread>

#include "printing/WorkThread.h"

namespace fontprobe::testing {

// The work thread of the native tests, from the standard library.
class StdWorkThread : public WorkThread {
 public:
  ~StdWorkThread() override {
    if (thread_.joinable()) thread_.join();
  }
  void Start(std::function<void()> work) override {
    if (thread_.joinable()) thread_.join();
    std::promise<void> ended;
    ended_ = ended.get_future();
    thread_ = std::thread([work = std::move(work), ended = std::move(ended)]() mutable {
      work();
      ended.set_value();
    });
  }
  bool Wait(std::chrono::milliseconds limit) override {
    if (!thread_.joinable()) return true;
    if (ended_.wait_for(limit) != std::future_status::ready) return false;
    thread_.join();
    return true;
  }

 private:
  std::thread thread_;
  std::future<void> ended_;
};

}  // namespace fontprobe::testing
