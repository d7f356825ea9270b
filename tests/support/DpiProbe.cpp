// Tells whether the rig's Wine shows a DPI-aware program the DPI the rig asked
// for; a rig whose setting did not take fails here, before any window test.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  const auto wanted = static_cast<UINT>(std::wcstoul(argv[1], nullptr, 10));
  const UINT seen = GetDpiForSystem();
  if (seen == wanted) return 0;
  std::fprintf(stderr, "rig: asked Wine for %u DPI, but a Wine process sees %u DPI\n", wanted,
               seen);
  return 1;
}
