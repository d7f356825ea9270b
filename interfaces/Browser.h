#pragma once

#include <string>

namespace fontprobe {

// The user's web browser. Open throws PlatformError when no browser takes the address.
class Browser {
 public:
  virtual ~Browser() = default;
  virtual void Open(const std::u16string& address) = 0;
};

}  // namespace fontprobe
