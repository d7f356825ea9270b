#pragma once

#include <string>

namespace fontprobe {

// Finds and starts other programs.
class ProgramStart {
 public:
  virtual ~ProgramStart() = default;
  // True when `path` names an existing file (not a folder).
  virtual bool FileExists(const std::u16string& path) = 0;
  // Starts exactly the program file `path`, shown normally, without waiting for
  // it; false when it cannot be started.
  virtual bool Start(const std::u16string& path) = 0;
};

}  // namespace fontprobe
