#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fonts/FontInquiry.h"
#include "fonts/PrinterConnection.h"

namespace fontprobe::testing {

// What a printer does on one connection: the pieces it sends back, one a
// Receive; a missing piece is silence until the deadline, and after the last
// piece it closes the connection, or, with `floods`, repeats it for ever.
struct Reply {
  std::vector<std::optional<std::string>> pieces;
  bool floods = false;
};

// A printer that answers each new connection with the next reply, and keeps
// what was sent on each.
class FakePrinter {
 public:
  explicit FakePrinter(std::vector<Reply> replies) : replies_(std::move(replies)) {}

  ConnectToPrinter Connector() {
    return [this]() -> std::unique_ptr<PrinterConnection> {
      if (sent.size() == replies_.size()) throw std::runtime_error("one connection too many");
      sent.emplace_back();
      return std::make_unique<Connection>(replies_[sent.size() - 1], sent.back(), receives);
    };
  }

  std::vector<std::string> sent;  // what each connection was sent
  int receives = 0;

 private:
  class Connection : public PrinterConnection {
   public:
    Connection(const Reply& reply, std::string& sent, int& receives)
        : reply_(reply), sent_(sent), receives_(receives) {}
    void SendAll(std::string_view bytes) override { sent_ += bytes; }
    std::optional<std::string> Receive(std::size_t most) override {
      ++receives_;
      if (next_ == reply_.pieces.size()) {
        if (!reply_.floods || reply_.pieces.empty()) return std::string();
        next_ = 0;
      }
      auto piece = reply_.pieces[next_++];
      if (piece && piece->size() > most) piece->resize(most);
      return piece;
    }

   private:
    const Reply& reply_;
    std::string& sent_;
    int& receives_;
    std::size_t next_ = 0;
  };

  std::vector<Reply> replies_;
};

}  // namespace fontprobe::testing
