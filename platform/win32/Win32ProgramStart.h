#pragma once

#include "interfaces/ProgramStart.h"

namespace fontprobe {

// Starts programs with CreateProcessW naming the program file itself, so that a
// path with spaces is never read as a command line.
class Win32ProgramStart : public ProgramStart {
 public:
  bool FileExists(const std::u16string& path) override;
  bool Start(const std::u16string& path) override;
};

}  // namespace fontprobe
