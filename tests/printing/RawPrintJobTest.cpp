#include "printing/RawPrintJob.h"

#include <gtest/gtest.h>

#include "tests/support/FakeSpooler.h"

namespace fontprobe {
namespace {

using Calls = std::vector<std::string>;
using testing::FakeSpooler;

const std::string kPage(438, 'x');

TEST(SendRawPrintJob, SentPageMakesExactlyTheSevenSteps) {
  FakeSpooler spooler;
  const RawJob job = SendRawPrintJob(spooler, u"P", kPage);
  EXPECT_EQ(job.outcome, RawJobOutcome::PageSent);
  EXPECT_EQ(job.id, 42u);  // the id the document start gave, for following the job
  EXPECT_EQ(spooler.calls, (Calls{"Open", "StartDocument", "StartPage", "Write", "EndPage",
                                  "EndDocument", "Close"}));
  EXPECT_EQ(spooler.written, kPage);
  EXPECT_EQ(spooler.docName, u"Command Print");
  EXPECT_EQ(spooler.dataType, u"RAW");
  EXPECT_EQ(spooler.openHandles, 0);
}

TEST(SendRawPrintJob, XpsDriverGetsThePassThroughDatatype) {
  FakeSpooler spooler;
  spooler.xpsDriver = true;
  EXPECT_EQ(SendRawPrintJob(spooler, u"P", kPage).outcome, RawJobOutcome::PageSent);
  EXPECT_EQ(spooler.dataType, u"XPS_PASS");
}

TEST(SendRawPrintJob, OpensThePrinterByItsExactName) {
  for (const std::u16string name : {u"", u"p", u"P ", u"Drucker_B\u00fcro", u"\"P\""}) {
    FakeSpooler spooler;
    EXPECT_EQ(SendRawPrintJob(spooler, name, kPage).outcome, RawJobOutcome::NoSuchPrinter);
    EXPECT_EQ(spooler.calls, Calls{"Open"});
    EXPECT_EQ(spooler.openedName, name);
  }
  FakeSpooler spooler;
  spooler.knownPrinters = {u"Drucker_B\u00fcro \u65e5\u672c"};
  EXPECT_EQ(SendRawPrintJob(spooler, u"Drucker_B\u00fcro \u65e5\u672c", kPage).outcome,
            RawJobOutcome::PageSent);
  const std::u16string longName(10000, u'n');
  EXPECT_EQ(SendRawPrintJob(spooler, longName, kPage).outcome, RawJobOutcome::NoSuchPrinter);
}

TEST(SendRawPrintJob, APrinterThatWillNotOpenIsNotOpenedAndNotClosed) {
  FakeSpooler spooler;
  spooler.refusingPrinters = {u"P"};
  EXPECT_EQ(SendRawPrintJob(spooler, u"P", kPage).outcome, RawJobOutcome::PrinterNotOpened);
  EXPECT_EQ(spooler.calls, Calls{"Open"});
}

TEST(SendRawPrintJob, ContinuesAShortWriteWithTheRest) {
  FakeSpooler spooler;
  spooler.writeResults = {100, 1, 300};
  EXPECT_EQ(SendRawPrintJob(spooler, u"P", kPage).outcome, RawJobOutcome::PageSent);
  EXPECT_EQ(spooler.written, kPage);
  EXPECT_EQ(spooler.calls, (Calls{"Open", "StartDocument", "StartPage", "Write", "Write", "Write",
                                  "Write", "EndPage", "EndDocument", "Close"}));
}

struct FailureCase {
  const char* name;
  void (*arrange)(FakeSpooler&);
  Calls calls;
};

// The abort path is proven here only: under Wine, WritePrinter writes a local spool
// file and cannot fail, and AbortPrinter is a stub that still delivers the document.
const FailureCase kFailures[] = {
    {"document start",
     [](FakeSpooler& s) { s.startDocFails = true; },
     {"Open", "StartDocument", "Close"}},
    {"page start",
     [](FakeSpooler& s) { s.startPageFails = true; },
     {"Open", "StartDocument", "StartPage", "Abort", "Close"}},
    {"write",
     [](FakeSpooler& s) { s.writeResults = {-1}; },
     {"Open", "StartDocument", "StartPage", "Write", "Abort", "Close"}},
    {"write after a short one",
     [](FakeSpooler& s) {
       s.writeResults = {10, -1};
     },
     {"Open", "StartDocument", "StartPage", "Write", "Write", "Abort", "Close"}},
    {"write without progress",
     [](FakeSpooler& s) { s.writeResults = {0}; },
     {"Open", "StartDocument", "StartPage", "Write", "Abort", "Close"}},
    {"write claiming more than offered",
     [](FakeSpooler& s) { s.writeResults = {439}; },
     {"Open", "StartDocument", "StartPage", "Write", "Abort", "Close"}},
    {"page end",
     [](FakeSpooler& s) { s.endPageFails = true; },
     {"Open", "StartDocument", "StartPage", "Write", "EndPage", "Abort", "Close"}},
    {"document end",
     [](FakeSpooler& s) { s.endDocFails = true; },
     {"Open", "StartDocument", "StartPage", "Write", "EndPage", "EndDocument", "Close"}},
};

TEST(SendRawPrintJob, ReportsEveryFailedStepAsNotSentAndClosesThePrinter) {
  for (const FailureCase& failure : kFailures) {
    SCOPED_TRACE(failure.name);
    FakeSpooler spooler;
    failure.arrange(spooler);
    EXPECT_EQ(SendRawPrintJob(spooler, u"P", kPage).outcome, RawJobOutcome::PageNotSent);
    EXPECT_EQ(spooler.calls, failure.calls);
    EXPECT_EQ(spooler.openHandles, 0);
  }
}

}  // namespace
}  // namespace fontprobe
