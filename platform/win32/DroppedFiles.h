#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fontprobe {

// The paths of the files a WM_DROPFILES message brings, in the order given,
// and the drop's memory released. shell32 is loaded at the first drop.
std::vector<std::wstring> DroppedFiles(HDROP drop);

}  // namespace fontprobe
