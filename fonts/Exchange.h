#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "fonts/PrinterConnection.h"

namespace fontprobe {

// No printer's answer to a question of ours is longer than this.
inline constexpr std::size_t kLongestAnswer = 1 << 20;

// How an exchange ended: the answer ended as it should, the printer closed
// the connection, the deadline passed, or the printer sent more than any
// answer holds and was no longer read.
enum class ExchangeEnd { Answered, Closed, TimedOut, Flooded };

struct Exchanged {
  std::string answer;
  ExchangeEnd end = ExchangeEnd::TimedOut;
};

// Sends `query`, then reads until `ended` says the answer is whole, the
// printer closes the connection, the deadline passes or more than the longest
// answer came.
Exchanged Exchange(PrinterConnection& connection, std::string_view query,
                   bool (*ended)(std::string_view received));

}  // namespace fontprobe
