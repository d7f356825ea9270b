#include "fonts/Exchange.h"

namespace fontprobe {

Exchanged Exchange(PrinterConnection& connection, std::string_view query,
                   bool (*ended)(std::string_view received)) {
  constexpr std::size_t longest = kLongestAnswer;
  connection.SendAll(query);
  Exchanged exchanged;
  for (;;) {
    // One byte past the longest answer tells a flood from an answer that fills it.
    const auto received = connection.Receive(longest + 1 - exchanged.answer.size());
    if (!received) return exchanged;
    if (received->empty()) {
      exchanged.end = ExchangeEnd::Closed;
      return exchanged;
    }
    exchanged.answer += *received;
    if (exchanged.answer.size() > longest) {
      exchanged.answer.resize(longest);
      exchanged.end = ExchangeEnd::Flooded;
      return exchanged;
    }
    if (ended(exchanged.answer)) {
      exchanged.end = ExchangeEnd::Answered;
      return exchanged;
    }
  }
}

}  // namespace fontprobe
