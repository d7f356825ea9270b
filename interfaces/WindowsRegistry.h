#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fontprobe {

enum class RegistryRoot { LocalMachine };

struct RegistryValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;  // as the registry returns it, UTF-16LE for strings
};

// Largest value data that is read; longer data counts as unreadable.
inline constexpr std::size_t kRegistryValueLimit = 1024;

// The Windows registry, read only. A key that is opened is closed again before
// the call returns.
class WindowsRegistry {
 public:
  virtual ~WindowsRegistry() = default;
  // Nothing when the key cannot be opened, the value is missing or its data is
  // longer than kRegistryValueLimit bytes.
  virtual std::optional<RegistryValue> ReadValue(RegistryRoot root, const std::u16string& keyName,
                                                 const std::u16string& valueName) = 0;
  // `text` with its %NAME% references to environment variables expanded, as an
  // expandable string value means it; nothing when it cannot be expanded.
  virtual std::optional<std::u16string> ExpandEnvironment(const std::u16string& text) = 0;
};

}  // namespace fontprobe
