#pragma once

#include <stdexcept>
#include <string>

namespace fontprobe {

// A failure of the platform, with a sentence the user can be shown as it is.
class PlatformError : public std::runtime_error {
 public:
  explicit PlatformError(std::u16string message)
      : std::runtime_error("platform error"), message_(std::move(message)) {}
  const std::u16string& message() const { return message_; }

 private:
  std::u16string message_;
};

}  // namespace fontprobe
