#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace fontprobe {
namespace {

// Closes the key on every path.
class OpenKey {
 public:
  OpenKey(HKEY root, const std::wstring& name) {
    if (RegOpenKeyExW(root, name.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::optional<RegistryValue> Win32Registry::ReadValue(RegistryRoot, const std::u16string& keyName,
                                                      const std::u16string& valueName) {
  OpenKey key(HKEY_LOCAL_MACHINE, ToWide(keyName));
  if (!key.get()) return std::nullopt;
  RegistryValue value;
  value.data.resize(kRegistryValueLimit);
  DWORD type = 0;
  DWORD size = static_cast<DWORD>(value.data.size());
  if (RegQueryValueExW(key.get(), ToWide(valueName).c_str(), nullptr, &type, value.data.data(),
                       &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.type = type;
  value.data.resize(size);
  return value;
}

std::optional<std::u16string> Win32Registry::ExpandEnvironment(const std::u16string& text) {
  const std::wstring source = ToWide(text);
  const DWORD size = ExpandEnvironmentStringsW(source.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring expanded(size, L'\0');
  if (ExpandEnvironmentStringsW(source.c_str(), expanded.data(), size) != size) return std::nullopt;
  expanded.resize(size - 1);
  return FromWide(expanded);
}

}  // namespace fontprobe
