#include "ui/TopLevelWindows.h"

#include <windows.h>

namespace fontprobe {
namespace {
int openWindows = 0;  // only ever touched on the user-interface thread
}

void TopLevelWindowOpened() { ++openWindows; }

void TopLevelWindowClosed() {
  if (--openWindows == 0) PostQuitMessage(0);
}

}  // namespace fontprobe
