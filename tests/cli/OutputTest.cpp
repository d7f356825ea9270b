// The gate for outside text and the UTF-8 reading it stands on.
#include <gtest/gtest.h>

#include <string>

#include "cli/Output.h"
#include "platform/cups/Utf8.h"

namespace fontprobe {
namespace {

struct GateCase {
  const char* what;
  std::string outside;
  std::string printed;
};

TEST(Printable, EscapesControlsAndMendsBrokenUtf8) {
  const GateCase cases[] = {
      {"plain text", "Paused for maintenance", "Paused for maintenance"},
      {"title and clear-screen sequences", "evil \x1b]0;PWNED\x07\x1b[2J",
       "evil \\x1b]0;PWNED\\x07\\x1b[2J"},
      {"DEL and NUL",
       std::string("a\x7f"
                   "b\0c",
                   5),
       "a\\x7fb\\x00c"},
      {"a C1 control, CSI",
       "x\xc2\x9b"
       "31m",
       "x\\u009b31m"},
      {"a tab and new lines", "one\ttwo\r\nthree", "one\\ttwo\\r\\nthree"},
      {"letters of every script", "Drucker_B\xc3\xbcro \xd0\x9f\xd1\x80 \xe6\x89\x93",
       "Drucker_B\xc3\xbcro \xd0\x9f\xd1\x80 \xe6\x89\x93"},
      {"a 4-byte character", "\xf0\x9f\x96\xa8", "\xf0\x9f\x96\xa8"},
      {"a lone continuation byte", "a\x80z", "a\xef\xbf\xbdz"},
      {"an overlong ESC", "\xc0\x9b[2J", "\xef\xbf\xbd\xef\xbf\xbd[2J"},
      {"an overlong slash in three bytes", "\xe0\x80\xaf", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
      {"a surrogate in UTF-8", "\xed\xa0\x80", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
      {"above U+10FFFF", "\xf4\x90\x80\x80", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
      {"a character cut short", "ok\xe6\x89", "ok\xef\xbf\xbd\xef\xbf\xbd"},
  };
  for (const GateCase& c : cases) EXPECT_EQ(Printable(c.outside), c.printed) << c.what;
}

TEST(JsonLine, QuotesAndEscapesWhatATerminalOrAParserMustNotSeeRaw) {
  const GateCase cases[] = {
      {"plain text", "scan.png", "\"scan.png\""},
      {"quotes and backslashes", "a \"b\" c\\d", "\"a \\\"b\\\" c\\\\d\""},
      {"an escape sequence in a file name", "x\x1b]0;PWNED\x07.png",
       "\"x\\u001b]0;PWNED\\u0007.png\""},
      {"a new line and a tab", "a\nb\tc", "\"a\\nb\\tc\""},
      {"DEL and C1 controls", "a\x7f\xc2\x9b\xc2\x80", "\"a\\u007f\\u009b\\u0080\""},
      {"letters kept, U+00A0 and beyond", "B\xc3\xbcro\xc2\xa0\xe6\x89\x93",
       "\"B\xc3\xbcro\xc2\xa0\xe6\x89\x93\""},
      {"broken UTF-8", "a\x80", "\"a\xef\xbf\xbd\""},
  };
  for (const GateCase& c : cases) EXPECT_EQ(JsonLine(Json(c.outside)), c.printed) << c.what;
  // Keys keep the order they were given in; figures are shown as numbers.
  EXPECT_EQ(JsonLine(Json{{"printer", "\x1b[2J"}, {"fonts", 3}, {"dpi", Rounded(299.98765)}}),
            "{\"printer\":\"\\u001b[2J\",\"fonts\":3,\"dpi\":299.988}");
}

TEST(Utf8, ConvertsEveryWellFormedCharacterBothWays) {
  const std::u16string text = u"B\u00fcro \u041f \u6253 \U0001F5A8 \u007f";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(u"\u00fc\U0001F5A8"), "\xc3\xbc\xf0\x9f\x96\xa8");
}

TEST(Utf8, ReplacesWhatIsNotACharacter) {
  EXPECT_EQ(ToUtf8(std::u16string(u"a") + char16_t(0xD800) + u"b"),
            "a\xef\xbf\xbd"
            "b");
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xef\xbf\xbd");
  EXPECT_EQ(FromUtf8("a\xed\xa0\x80"
                     "b"),
            u"a\uFFFD\uFFFD\uFFFDb");
  EXPECT_EQ(FromUtf8("\xc1\xbf"), u"\uFFFD\uFFFD");
}

}  // namespace
}  // namespace fontprobe
