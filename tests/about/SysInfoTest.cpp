#include "about/SysInfo.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/PlatformError.h"
#include "tests/support/Fakes.h"

namespace fontprobe {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

Bytes Utf16(const std::u16string& text, bool terminated = true) {
  Bytes bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  if (terminated) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

struct DecodeCase {
  const char* name;
  RegistryValue value;
  std::u16string expected;  // KeyVal afterwards, starting from "before"
};

// GCC 12 wrongly warns that the byte vectors of this table may be used
// uninitialized; the table is fine.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
TEST(DecodeKeyValue, FollowsTheTypeRules) {
  const std::vector<DecodeCase> cases = {
      {"string with its terminator", {kRegSz, Utf16(u"C:\\x.exe")}, u"C:\\x.exe"},
      {"string without a terminator", {kRegSz, Utf16(u"C:\\x.exe", false)}, u"C:\\x.exe"},
      {"only one terminator is dropped",
       {kRegSz, Utf16(std::u16string(u"ab\0", 3))},
       std::u16string(u"ab\0", 3)},
      {"empty string with its terminator", {kRegSz, Utf16(u"")}, u""},
      {"empty string without one", {kRegSz, {}}, u""},
      {"odd byte count keeps the lone byte", {kRegSz, {'a', 0, 'b'}}, u"ab"},
      {"non-ASCII path",
       {kRegSz, Utf16(u"C:\\B\u00fcro\\\u65e5.exe")},
       u"C:\\B\u00fcro\\\u65e5.exe"},
      {"dword 1", {kRegDword, {1, 0, 0, 0}}, u"1"},
      {"dword 258", {kRegDword, {2, 1, 0, 0}}, u"258"},
      {"dword 2^31 is written unsigned", {kRegDword, {0, 0, 0, 0x80}}, u"2147483648"},
      {"dword all ones", {kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}}, u"4294967295"},
      {"dword 0", {kRegDword, {0, 0, 0, 0}}, u"0"},
      {"expandable string gives its text", {kRegExpandSz, Utf16(u"%SystemRoot%")}, u"%SystemRoot%"},
      {"binary leaves the text", {kRegBinary, {0xDE, 0xAD}}, u"before"},
  };
  for (const DecodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string keyVal = u"before";
    DecodeKeyValue(c.value, keyVal);
    EXPECT_EQ(keyVal, c.expected);
  }
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

// Values by key and name, as the registry would return them.
class FakeRegistry : public WindowsRegistry {
 public:
  std::map<std::pair<std::u16string, std::u16string>, RegistryValue> values;
  std::vector<std::u16string> asked;

  void SetString(const std::u16string& key, const std::u16string& name,
                 const std::u16string& text) {
    values[{key, name}] = {kRegSz, Utf16(text)};
  }
  std::optional<RegistryValue> ReadValue(RegistryRoot root, const std::u16string& key,
                                         const std::u16string& name) override {
    asked.push_back(key);
    EXPECT_EQ(root, RegistryRoot::LocalMachine);
    const auto found = values.find({key, name});
    if (found == values.end() || found->second.data.size() > kRegistryValueLimit) {
      return std::nullopt;
    }
    return found->second;
  }
  // Knows one variable; any other reference cannot be expanded.
  std::optional<std::u16string> ExpandEnvironment(const std::u16string& text) override {
    const std::u16string name = u"%ProgramFiles%";
    if (text.rfind(name, 0) != 0) return std::nullopt;
    return u"C:\\Program Files" + text.substr(name.size());
  }
};

TEST(GetKeyValue, ReadsUpToTheLimitAndEmptiesTheTextOnFailure) {
  FakeRegistry registry;
  registry.values[{u"K", u"exact"}] = {kRegBinary, Bytes(1024, 'x')};
  registry.values[{u"K", u"long"}] = {kRegSz, Bytes(1025, 'x')};
  std::u16string keyVal = u"before";
  EXPECT_TRUE(GetKeyValue(registry, RegistryRoot::LocalMachine, u"K", u"exact", keyVal));
  EXPECT_EQ(keyVal, u"before");
  EXPECT_FALSE(GetKeyValue(registry, RegistryRoot::LocalMachine, u"K", u"long", keyVal));
  EXPECT_EQ(keyVal, u"");
  keyVal = u"before";
  EXPECT_FALSE(GetKeyValue(registry, RegistryRoot::LocalMachine, u"K", u"missing", keyVal));
  EXPECT_EQ(keyVal, u"");
}

const std::u16string kEntry1 = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::u16string kEntry2 = u"SOFTWARE\\Microsoft\\Shared Tools Location";

class FakePrograms : public ProgramStart {
 public:
  std::set<std::u16string> files;
  std::vector<std::u16string> tested;
  std::vector<std::u16string> started;
  bool throws = false;

  bool FileExists(const std::u16string& path) override {
    tested.push_back(path);
    if (throws) throw PlatformError(u"The disk is gone.");
    return files.count(path) > 0;
  }
  bool Start(const std::u16string& path) override {
    if (!files.count(path)) return false;
    started.push_back(path);
    return true;
  }
};

struct SysInfoCase {
  const char* name;
  void (*arrange)(FakeRegistry&, FakePrograms&);
  std::vector<std::u16string> started;
  bool unavailable;
};

const SysInfoCase kSysInfoCases[] = {
    {"entry 1 wins without a file test",
     [](FakeRegistry& r, FakePrograms& p) {
       r.SetString(kEntry1, u"PATH", u"C:\\Tools\\msinfo32.exe");
       r.SetString(kEntry2, u"MSINFO", u"C:\\Other");
       p.files = {u"C:\\Tools\\msinfo32.exe", u"C:\\Other\\MSINFO32.EXE"};
     },
     {u"C:\\Tools\\msinfo32.exe"},
     false},
    {"entry 2 with the file present",
     [](FakeRegistry& r, FakePrograms& p) {
       r.SetString(kEntry2, u"MSINFO", u"C:\\Program Files\\Info");
       p.files = {u"C:\\Program Files\\Info\\MSINFO32.EXE"};
     },
     {u"C:\\Program Files\\Info\\MSINFO32.EXE"},
     false},
    {"entry 2 without the file",
     [](FakeRegistry& r, FakePrograms&) { r.SetString(kEntry2, u"MSINFO", u"C:\\Empty"); },
     {},
     true},
    {"both absent", [](FakeRegistry&, FakePrograms&) {}, {}, true},
    {"entry 1 names a missing file and entry 2 is not tried",
     [](FakeRegistry& r, FakePrograms& p) {
       r.SetString(kEntry1, u"PATH", u"C:\\Gone\\msinfo32.exe");
       r.SetString(kEntry2, u"MSINFO", u"C:\\Other");
       p.files = {u"C:\\Other\\MSINFO32.EXE"};
     },
     {},
     true},
    {"entry 1 expandable starts the expanded path",
     [](FakeRegistry& r, FakePrograms& p) {
       r.values[{kEntry1, u"PATH"}] = {kRegExpandSz, Utf16(u"%ProgramFiles%\\msinfo32.exe")};
       p.files = {u"C:\\Program Files\\msinfo32.exe"};
     },
     {u"C:\\Program Files\\msinfo32.exe"},
     false},
    {"entry 1 that cannot be expanded is tried as it is, and entry 2 is not",
     [](FakeRegistry& r, FakePrograms& p) {
       r.values[{kEntry1, u"PATH"}] = {kRegExpandSz, Utf16(u"%Nowhere%\\msinfo32.exe")};
       r.SetString(kEntry2, u"MSINFO", u"C:\\Other");
       p.files = {u"C:\\Other\\MSINFO32.EXE"};
     },
     {},
     true},
    {"entry 1 of another type starts the empty path",
     [](FakeRegistry& r, FakePrograms& p) {
       r.values[{kEntry1, u"PATH"}] = {kRegBinary, {1, 2}};
       r.SetString(kEntry2, u"MSINFO", u"C:\\Other");
       p.files = {u"C:\\Other\\MSINFO32.EXE"};
     },
     {},
     true},
    {"entry 1 empty",
     [](FakeRegistry& r, FakePrograms&) {
       r.values[{kEntry1, u"PATH"}] = {};
     },
     {},
     true},
    {"entry 1 too long falls back to entry 2",
     [](FakeRegistry& r, FakePrograms& p) {
       r.SetString(kEntry1, u"PATH", std::u16string(600, u'x'));
       r.SetString(kEntry2, u"MSINFO", u"C:\\Info");
       p.files = {u"C:\\Info\\MSINFO32.EXE"};
     },
     {u"C:\\Info\\MSINFO32.EXE"},
     false},
    {"binary junk in entry 2",
     [](FakeRegistry& r, FakePrograms&) {
       r.values[{kEntry2, u"MSINFO"}] = {kRegBinary, {1, 2}};
     },
     {},
     true},
    {"a failing file test",
     [](FakeRegistry& r, FakePrograms& p) {
       r.SetString(kEntry2, u"MSINFO", u"C:\\Info");
       p.throws = true;
     },
     {},
     true},
};

TEST(StartSysInfo, StartsTheProgramTheRegistryNamesOrSaysItIsUnavailable) {
  for (const SysInfoCase& c : kSysInfoCases) {
    SCOPED_TRACE(c.name);
    FakeRegistry registry;
    FakePrograms programs;
    testing::RecordingMessages messages;
    c.arrange(registry, programs);
    StartSysInfo(registry, programs, messages);
    EXPECT_EQ(programs.started, c.started);
    EXPECT_EQ(messages.shown, c.unavailable
                                  ? std::vector<std::u16string>{kSysInfoUnavailableMessage}
                                  : std::vector<std::u16string>{});
  }
}

TEST(StartSysInfo, TriesEntry2OnlyWhenEntry1IsUnreadable) {
  FakeRegistry registry;
  FakePrograms programs;
  testing::RecordingMessages messages;
  registry.SetString(kEntry1, u"PATH", u"C:\\Gone.exe");
  StartSysInfo(registry, programs, messages);
  EXPECT_EQ(registry.asked, std::vector<std::u16string>{kEntry1});
  EXPECT_TRUE(programs.tested.empty());
}

}  // namespace
}  // namespace fontprobe
