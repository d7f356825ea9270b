#include "about/SysInfo.h"

namespace fontprobe {
namespace {

// The text as the zero-filled buffer held it: two bytes to a character, so an
// odd last byte stands alone in the low half of its character.
std::u16string CharactersOf(const std::vector<std::uint8_t>& data) {
  std::u16string text((data.size() + 1) / 2, u'\0');
  for (std::size_t i = 0; i < data.size(); ++i) {
    text[i / 2] = static_cast<char16_t>(text[i / 2] | (data[i] << (i % 2 * 8)));
  }
  return text;
}

std::uint32_t LittleEndianNumber(const std::vector<std::uint8_t>& data) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < data.size() && i < 4; ++i) {
    number |= static_cast<std::uint32_t>(data[i]) << (8 * i);
  }
  return number;
}

std::u16string DecimalText(std::uint32_t number) {
  const std::string digits = std::to_string(number);
  return {digits.begin(), digits.end()};
}

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegDword = 4;

bool FindSysInfo(WindowsRegistry& registry, ProgramStart& programs, std::u16string& path) {
  if (GetKeyValue(registry, RegistryRoot::LocalMachine,
                  u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"PATH", path)) {
    return true;
  }
  if (!GetKeyValue(registry, RegistryRoot::LocalMachine,
                   u"SOFTWARE\\Microsoft\\Shared Tools Location", u"MSINFO", path)) {
    return false;
  }
  const std::u16string program = path + u"\\MSINFO32.EXE";
  if (!programs.FileExists(program)) return false;
  path = program;
  return true;
}

}  // namespace

void DecodeKeyValue(const RegistryValue& value, std::u16string& keyVal) {
  std::u16string kept = CharactersOf(value.data);
  if (!kept.empty() && kept.back() == u'\0') kept.pop_back();
  if (value.type == kRegSz || value.type == kRegExpandSz) {
    keyVal = kept;
  } else if (value.type == kRegDword) {
    keyVal = DecimalText(LittleEndianNumber(value.data));
  }
}

bool GetKeyValue(WindowsRegistry& registry, RegistryRoot keyRoot, const std::u16string& keyName,
                 const std::u16string& subKeyRef, std::u16string& keyVal) {
  const auto value = registry.ReadValue(keyRoot, keyName, subKeyRef);
  if (!value || value->data.size() > kRegistryValueLimit) {
    keyVal.clear();
    return false;
  }
  DecodeKeyValue(*value, keyVal);
  // A path such as %SystemRoot%\system32\msinfo32.exe; unexpanded when the
  // platform cannot expand it, so that the start fails and says so.
  if (value->type == kRegExpandSz) {
    if (const auto expanded = registry.ExpandEnvironment(keyVal)) keyVal = *expanded;
  }
  return true;
}

void StartSysInfo(WindowsRegistry& registry, ProgramStart& programs, MessageSink& messages) {
  bool started = false;
  try {
    std::u16string path;
    started = FindSysInfo(registry, programs, path) && programs.Start(path);
  } catch (...) {
    started = false;
  }
  if (!started) messages.Show(kSysInfoUnavailableMessage);
}

}  // namespace fontprobe
