#pragma once

#include <windows.h>

#include <list>
#include <memory>
#include <string>
#include <vector>

#include "app/ReadingWindow.h"
#include "interfaces/MessageSink.h"

namespace fontprobe {

// Reads the scans and photos dropped on the main window, with the reader of
// the fontprobe command: a window for each page read, a message for each file
// or page that could not be, in the order dropped.
class DroppedScans {
 public:
  void Read(HWND owner, const std::vector<std::wstring>& paths, MessageSink& messages);

 private:
  void ReadFile(HWND owner, const std::wstring& path, MessageSink& messages);

  std::list<std::unique_ptr<ReadingWindow>> windows_;
};

}  // namespace fontprobe
