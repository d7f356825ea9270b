#pragma once

#include <string>

#include "interfaces/MessageSink.h"
#include "interfaces/ProgramStart.h"
#include "interfaces/WindowsRegistry.h"

namespace fontprobe {

inline constexpr char16_t kSysInfoUnavailableMessage[] =
    u"System Information Is Unavailable At This Time";

// Turns a registry value into text: one terminating NUL is dropped; a string
// (expandable or not) becomes its text, a 32-bit number its unsigned decimal
// text; any other type leaves `keyVal` as it was.
void DecodeKeyValue(const RegistryValue& value, std::u16string& keyVal);

// Reads a value as text into `keyVal`, an expandable string with its
// environment references expanded; false, with `keyVal` empty, when it cannot
// be read.
bool GetKeyValue(WindowsRegistry& registry, RegistryRoot keyRoot, const std::u16string& keyName,
                 const std::u16string& subKeyRef, std::u16string& keyVal);

// Starts the System Information program where the registry says it is, or
// tells the user that it is unavailable.
void StartSysInfo(WindowsRegistry& registry, ProgramStart& programs, MessageSink& messages);

}  // namespace fontprobe
