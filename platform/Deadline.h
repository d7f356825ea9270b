#pragma once

#include <chrono>
#include <csignal>
#include <string>

namespace fontprobe {

// How long a command may wait on servers and printers, shared by all its
// connections and requests, and the user's wish to stop (Ctrl-C).
class Deadline {
 public:
  // `stop`, when given, is set once the user wants to stop.
  explicit Deadline(double seconds, const volatile std::sig_atomic_t* stop = nullptr);

  double Seconds() const { return seconds_; }
  bool Passed() const;
  bool Stopped() const { return stop_ && *stop_; }
  // What is left, in milliseconds, at least 1.
  int Milliseconds() const;
  // For libcups's connects, which end when the flag is set.
  int* CancelFlag() const;
  // "15 s": the whole time, as the user gave it.
  std::string Said() const;
  // A short deadline of its own for a last request once this one has passed
  // or the user stopped (cancelling a job, asking a printer's state): quickly
  // when the user stopped, and never much past this one.
  Deadline Grace() const;

 private:
  double seconds_;
  std::chrono::steady_clock::time_point end_;
  const volatile std::sig_atomic_t* stop_;
};

// The user stopped a wait. What the stop left behind, in words ("job 7 was
// cancelled, ..."), or nothing when nothing was sent.
struct Stopped {
  std::string leftBehind;
};

}  // namespace fontprobe
