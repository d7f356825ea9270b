#pragma once

#include "platform/MessageSink.h"

namespace fontprobe {

// A message box captioned with the application's title, modal to all of
// Fontprobe's windows.
class Win32MessageSink : public MessageSink {
 public:
  void Show(const std::u16string& text) override;
};

}  // namespace fontprobe
