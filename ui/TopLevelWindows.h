#pragma once

namespace fontprobe {

// Fontprobe runs until its last top-level window has closed, whichever that is.
void TopLevelWindowOpened();
void TopLevelWindowClosed();

}  // namespace fontprobe
