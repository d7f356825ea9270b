#pragma once

#include <exception>
#include <new>
#include <string>
#include <utility>

#include "interfaces/MessageSink.h"
#include "platform/PlatformError.h"

namespace fontprobe {

// Runs one event handler of either window. An error that escapes the handler
// ends it and is shown to the user in one message box; the program goes on.
template <typename Handler>
void RunEventHandler(MessageSink& messages, Handler&& handler) noexcept {
  std::u16string failure;
  try {
    std::forward<Handler>(handler)();
    return;
  } catch (const PlatformError& error) {
    failure = error.message();
  } catch (const std::bad_alloc&) {
    failure = u"Fontprobe ran out of memory and could not finish this action.";
  } catch (...) {
    failure = u"Fontprobe ran into an unexpected error and could not finish this action.";
  }
  try {
    messages.Show(failure);
  } catch (...) {
    // Nothing more can be told; the program still goes on.
  }
}

}  // namespace fontprobe
