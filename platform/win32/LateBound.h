#pragma once

#include <windows.h>

namespace fontprobe {

// A function of a system library loaded when first needed rather than at every
// start (shell32, ole32 and WIC are large, and most runs never need them);
// nullptr when the library or function is missing. The library stays loaded.
template <typename Function>
Function LateBound(const wchar_t* library, const char* name) {
  HMODULE module = LoadLibraryW(library);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace fontprobe
