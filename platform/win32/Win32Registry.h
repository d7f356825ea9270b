#pragma once

#include "interfaces/WindowsRegistry.h"

namespace fontprobe {

// The registry through advapi32's wide entry points, with read access only, so
// that a standard user can read what lies under HKEY_LOCAL_MACHINE.
class Win32Registry : public WindowsRegistry {
 public:
  std::optional<RegistryValue> ReadValue(RegistryRoot root, const std::u16string& keyName,
                                         const std::u16string& valueName) override;
  std::optional<std::u16string> ExpandEnvironment(const std::u16string& text) override;
};

}  // namespace fontprobe
