// Runs under Wine inside the rig: the real spooler code prints through Wine's
// spooler to the rig's CUPS capture queues.
#include <gtest/gtest.h>

#include "platform/win32/Win32Spooler.h"
#include "printing/RawPrintJob.h"
#include "printing/TestPage.h"
#include "tests/support/CapturedJobs.h"

namespace fontprobe {
namespace {

using testing::CapturedJob;
using testing::CapturedJobs;
using testing::WaitForCapturedJobs;

class SpoolerE2E : public ::testing::Test {
 protected:
  void SetUp() override { testing::ForgetCapturedJobs(); }

  RawJobOutcome Send(const std::u16string& printer, PrinterFamily family) {
    return SendRawPrintJob(spooler_, printer, ComposeTestPage(family)).outcome;
  }

  Win32Spooler spooler_;
};

TEST_F(SpoolerE2E, BothPagesArriveByteForByteUnderTheirTitle) {
  ASSERT_EQ(Send(u"capture_a", PrinterFamily::EpsonIbm), RawJobOutcome::PageSent);
  ASSERT_EQ(Send(u"capture_b", PrinterFamily::Pcl), RawJobOutcome::PageSent);

  const std::vector<CapturedJob> jobs = WaitForCapturedJobs(2);
  ASSERT_EQ(jobs.size(), 2u);
  EXPECT_EQ(jobs[0].queue, "capture_a");
  EXPECT_EQ(jobs[0].title, "Command Print");
  EXPECT_EQ(jobs[0].data, ComposeTestPage(PrinterFamily::EpsonIbm));
  EXPECT_EQ(jobs[0].data.size(), 599u);
  EXPECT_EQ(jobs[1].queue, "capture_b");
  EXPECT_EQ(jobs[1].title, "Command Print");
  EXPECT_EQ(jobs[1].data, ComposeTestPage(PrinterFamily::Pcl));
  EXPECT_EQ(jobs[1].data.size(), 438u);
}

// CUPS itself ignores letter case in queue names and takes an empty one for the
// default queue: only the exact name opens.
TEST_F(SpoolerE2E, UnknownOrMangledNamesFailAtTheOpenAndPrintNothing) {
  const std::u16string names[] = {u"no_such_queue",
                                  u"",
                                  u"capture_a ",
                                  u"CAPTURE_A",
                                  u"\"capture_a\"",
                                  std::u16string(10000, u'q'),
                                  u"Drucker_B\u00fcro\u65e5"};
  for (const std::u16string& name : names) {
    SCOPED_TRACE(name.size() < 40 ? std::string(name.begin(), name.end()) : "long name");
    EXPECT_EQ(Send(name, PrinterFamily::Pcl), RawJobOutcome::NoSuchPrinter);
  }
  EXPECT_TRUE(WaitForCapturedJobs(1, std::chrono::seconds(1)).empty());
}

TEST_F(SpoolerE2E, AQueueThatRefusesJobsGivesNotSent) {
  EXPECT_EQ(Send(u"refusing", PrinterFamily::EpsonIbm), RawJobOutcome::PageNotSent);
  EXPECT_TRUE(WaitForCapturedJobs(1, std::chrono::seconds(1)).empty());
}

TEST_F(SpoolerE2E, AQueueNamedOutsideAsciiReceivesThePage) {
  ASSERT_EQ(Send(u"Drucker_B\u00fcro", PrinterFamily::Pcl), RawJobOutcome::PageSent);
  const std::vector<CapturedJob> jobs = WaitForCapturedJobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].queue, "Drucker_B\xc3\xbcro");
  EXPECT_EQ(jobs[0].data, ComposeTestPage(PrinterFamily::Pcl));
}

}  // namespace
}  // namespace fontprobe
