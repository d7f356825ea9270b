#pragma once

#include <string>

namespace fontprobe {

// Tells the user something: a modal box with the text, an OK button and the
// application's title, returning once the user has closed it.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Show(const std::u16string& text) = 0;
};

}  // namespace fontprobe
