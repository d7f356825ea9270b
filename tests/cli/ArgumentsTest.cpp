// Taking command lines apart: every command's options, its help, and the
// words of each usage error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/Arguments.h"

namespace fontprobe {
namespace {

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : line + " ") {
    if (c != ' ') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

TEST(ParseCommandLine, NamesTheFirstProblemInItsOwnWords) {
  const struct {
    const char* line;
    const char* problem;
  } cases[] = {
      {"", "a command is needed"},
      {"frob", "unknown command 'frob'"},
      {"print", "print needs a page: epson or pcl"},
      {"print ps", "unknown page 'ps' (epson or pcl)"},
      {"print pcl FP_Alpha", "unexpected 'FP_Alpha'"},
      {"print pcl --timeout", "--timeout needs a value"},
      {"print pcl --timeout soon", "--timeout needs a number of seconds above 0, not 'soon'"},
      {"print pcl --timeout 0", "--timeout needs a number of seconds above 0, not '0'"},
      {"print pcl --timeout 1e9", "--timeout needs a number of seconds above 0, not '1e9'"},
      {"print pcl --printer A --uri ipp://b/", "--printer and --uri cannot go together"},
      {"print pcl --json", "unexpected '--json'"},
      {"page", "page needs one page name: epson or pcl"},
      {"page epson pcl", "page needs one page name: epson or pcl"},
      {"list FP_Alpha", "unexpected 'FP_Alpha'"},
      {"check --no-wait", "unexpected '--no-wait'"},
      {"fonts --language ps", "unknown language 'ps' (postscript or pcl)"},
      {"fonts --language", "--language needs a value"},
      {"fonts --printer A --uri socket://b", "--printer and --uri cannot go together"},
      {"fonts Laser", "unexpected 'Laser'"},
      {"read", "read needs a picture file (or - for standard input)"},
      {"read - a.png -", "standard input (-) can be read only once"},
      {"read a.png --annotate", "--annotate needs a value"},
  };
  for (const auto& c : cases) {
    const Command command = ParseCommandLine(Words(c.line));
    EXPECT_EQ(command.problem.value_or("(none)"), c.problem) << c.line;
  }
}

TEST(ParseCommandLine, TakesEachCommandsOptions) {
  const Command fonts =
      ParseCommandLine(Words("fonts --uri socket://lp --language PCL --timeout 2.5 --all --json"));
  EXPECT_FALSE(fonts.problem);
  EXPECT_EQ(fonts.fonts.uri, "socket://lp");
  EXPECT_EQ(fonts.fonts.language, PrinterLanguage::Pcl);
  EXPECT_EQ(fonts.fonts.timeoutSeconds, 2.5);
  EXPECT_TRUE(fonts.fonts.all && fonts.fonts.json);
  EXPECT_EQ(ParseCommandLine(Words("fonts")).fonts.timeoutSeconds, kAskSeconds);

  const Command print = ParseCommandLine(Words("print epson --no-wait --printer Drucker"));
  EXPECT_EQ(print.print.family, PrinterFamily::EpsonIbm);
  EXPECT_FALSE(print.print.wait);
  EXPECT_EQ(print.print.printer, "Drucker");
  EXPECT_EQ(print.print.timeoutSeconds, kPrintSeconds);
  EXPECT_EQ(ParseCommandLine(Words("check")).print.timeoutSeconds, kAskSeconds);

  const Command read = ParseCommandLine(Words("read a.png - --json --annotate out"));
  EXPECT_EQ(read.read.files, (std::vector<std::string>{"a.png", "-"}));
  EXPECT_TRUE(read.read.json);
  EXPECT_EQ(read.read.annotatePrefix, "out");
}

TEST(ParseCommandLine, GivesEachCommandItsOwnHelpWhateverElseIsWrong) {
  for (const char* line : {"list --help", "page -h", "print --help", "check --json --help",
                           "fonts --language ps --help", "read --help"}) {
    const Command command = ParseCommandLine(Words(line));
    const std::string name = Words(line)[0];
    EXPECT_FALSE(command.problem) << line;
    ASSERT_TRUE(command.help) << line;
    EXPECT_EQ(command.help->rfind("usage: fontprobe " + name + " ", 0), 0u) << *command.help;
    // Its own usage only, and the exit statuses.
    EXPECT_EQ(command.help->find("usage: fontprobe", 1), std::string::npos) << *command.help;
    EXPECT_NE(command.help->find("Exit status"), std::string::npos) << line;
  }
  const Command all = ParseCommandLine(Words("--help"));
  ASSERT_TRUE(all.help);
  for (const char* name : {"list", "page", "print", "check", "fonts", "read"}) {
    EXPECT_NE(all.help->find(std::string("fontprobe ") + name + " "), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace fontprobe
