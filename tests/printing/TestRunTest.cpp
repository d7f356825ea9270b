#include "printing/TestRun.h"

#include <gtest/gtest.h>

#include "tests/support/FakeSpooler.h"
#include "tests/support/Fakes.h"

namespace fontprobe {
namespace {

using Calls = std::vector<std::string>;
using testing::FakePrinterRegistry;
using testing::FakeSpooler;

const Calls kAllSteps = {"Open",    "StartDocument", "StartPage", "Write",
                         "EndPage", "EndDocument",   "Close"};

// Printers "Home" (current) and "Target"; the spooler knows both.
struct Bench {
  FakePrinterRegistry registry;
  FakeSpooler spooler;
  std::u16string chosen = u"Target";  // the chooser's text at the press
  std::vector<std::u16string> shown;

  Bench() {
    registry.printers = {u"Home", u"Target"};
    registry.current = u"Home";
    spooler.knownPrinters = {u"Home", u"Target"};
  }
  void Press(PrinterFamily family = PrinterFamily::Pcl) {
    shown.push_back(RunPrinterTest(family, chosen, registry, spooler));
  }
};

struct OutcomeCase {
  const char* name;
  void (*arrange)(Bench&);
  Calls calls;
  const char16_t* message;
};

const OutcomeCase kOutcomes[] = {
    {"text names no printer",
     [](Bench& r) { r.chosen = u"Nowhere"; },
     {"Open"},
     kNotRecognizedMessage},
    // There, so recognized, but the spooler will not open it (access denied).
    {"open refused",
     [](Bench& r) { r.spooler.refusingPrinters = {u"Target"}; },
     {"Open"},
     kNotSentMessage},
    {"page not taken", [](Bench& r) { r.spooler.endDocFails = true; }, kAllSteps, kNotSentMessage},
    {"page sent", [](Bench&) {}, kAllSteps, kExecutedMessage},
};

TEST(RunPrinterTest, EndsInOneOfFourOutcomesWithTheRememberedPrinterCurrent) {
  for (const OutcomeCase& c : kOutcomes) {
    SCOPED_TRACE(c.name);
    Bench bench;
    c.arrange(bench);
    bench.Press();
    EXPECT_EQ(bench.spooler.calls, c.calls);
    EXPECT_EQ(bench.registry.current, u"Home");
    EXPECT_EQ(bench.shown, std::vector<std::u16string>{c.message});
  }
}

TEST(RunPrinterTest, SendsEachFamilysPageToTheChosenPrinter) {
  for (PrinterFamily family : {PrinterFamily::EpsonIbm, PrinterFamily::Pcl}) {
    Bench bench;
    bench.Press(family);
    EXPECT_EQ(bench.spooler.openedName, u"Target");
    EXPECT_EQ(bench.spooler.written, ComposeTestPage(family));
  }
}

TEST(RunPrinterTest, ChooserTextMatchingNothingSendsNothing) {
  for (const std::u16string& text : std::vector<std::u16string>{
           u"", u"target", u"Target ", u"\u65e5\u672c\u8a9e", std::u16string(10000, u'T'),
           std::u16string(u"Tar\0get", 7), std::u16string(u"Target\r\n")}) {
    Bench bench;
    bench.chosen = text;
    bench.Press();
    EXPECT_EQ(bench.spooler.calls, Calls{"Open"});
    EXPECT_EQ(bench.spooler.openHandles, 0);
    EXPECT_EQ(bench.registry.current, u"Home");
    EXPECT_EQ(bench.shown, std::vector<std::u16string>{kNotRecognizedMessage});
  }
}

TEST(RunPrinterTest, CurrentPrinterIsChosenAndStaysCurrent) {
  Bench bench;
  bench.chosen = u"Home";
  bench.Press();
  EXPECT_EQ(bench.spooler.openedName, u"Home");
  EXPECT_EQ(bench.registry.current, u"Home");
}

TEST(RunPrinterTest, RestoresByNameWhenTwoPrintersShareIt) {
  Bench bench;
  bench.registry.printers = {u"Home", u"Target", u"Home"};
  bench.Press();
  EXPECT_EQ(bench.registry.current, u"Home");
  EXPECT_EQ(bench.shown, std::vector<std::u16string>{kExecutedMessage});
}

TEST(RunPrinterTest, WithoutACurrentPrinterTheChosenOneStaysCurrent) {
  Bench bench;
  bench.registry.current.reset();
  bench.Press();
  EXPECT_EQ(bench.spooler.calls, kAllSteps);
  EXPECT_EQ(bench.registry.current, u"Target");
}

TEST(RunPrinterTest, ARememberedPrinterNoLongerInstalledLeavesTheChosenOneCurrent) {
  Bench bench;
  bench.registry.printers = {u"Target"};  // "Home" has gone since it was made current
  bench.Press();
  EXPECT_EQ(bench.registry.CurrentDeviceName(), u"Target");
  EXPECT_EQ(bench.shown, std::vector<std::u16string>{kExecutedMessage});
}

// A press costs the same however many printers there are, and no more than
// sending the page takes: the spooler checks the chosen name as it opens the
// printer, the remembered printer is looked up once the page has gone, and the
// list is never read.
TEST(RunPrinterTest, LooksUpOnlyTheRememberedPrinterWithoutReadingTheList) {
  Bench bench;
  bench.Press();
  EXPECT_EQ(bench.spooler.calls, kAllSteps);
  EXPECT_EQ(bench.registry.reads, 0);
  EXPECT_EQ(bench.registry.lookups, 1);
  EXPECT_EQ(bench.registry.current, u"Home");
}

TEST(RunPrinterTest, RestoresTheRememberedPrinterWhenTheJobThrows) {
  struct ThrowingSpooler : FakeSpooler {
    Opening Open(const std::u16string&) override { throw PlatformError(u"The spooler stopped."); }
  };
  Bench bench;
  ThrowingSpooler spooler;
  EXPECT_THROW(RunPrinterTest(PrinterFamily::Pcl, bench.chosen, bench.registry, spooler),
               PlatformError);
  EXPECT_EQ(bench.registry.current, u"Home");
}

}  // namespace
}  // namespace fontprobe
