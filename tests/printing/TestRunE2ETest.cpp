// Runs under Wine inside the rig: test runs through the real printer registry
// and spooler, printing to the rig's capture queues ("capture_a" is the default).
#include <gtest/gtest.h>

#include "platform/win32/Win32PrinterRegistry.h"
#include "platform/win32/Win32Spooler.h"
#include "printing/TestRun.h"
#include "tests/support/CapturedJobs.h"
#include "tests/support/Fakes.h"

namespace fontprobe {
namespace {

using testing::CapturedJob;
using testing::WaitForCapturedJobs;
using Messages = std::vector<std::u16string>;

class TestRunE2E : public ::testing::Test {
 protected:
  void SetUp() override { testing::ForgetCapturedJobs(); }

  Messages Press(const std::u16string& chooserText, PrinterFamily family) {
    return {RunPrinterTest(family, chooserText, registry_, spooler_)};
  }

  Win32PrinterRegistry registry_;
  Win32Spooler spooler_;
  testing::FakeChooser chooser_;
};

TEST_F(TestRunE2E, ChooserListsTheQueuesWithTheDefaultSelected) {
  GetPrinters(registry_, chooser_);
  std::vector<std::u16string> sorted = chooser_.items;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<std::u16string>{u"Drucker_B\u00fcro", u"capture_a", u"capture_b",
                                                 u"refusing"}));
  EXPECT_EQ(chooser_.text, u"capture_a");
}

TEST_F(TestRunE2E, EachFamilysPageGoesToTheChosenQueueOnlyAndTheDefaultReturns) {
  EXPECT_EQ(Press(u"capture_b", PrinterFamily::EpsonIbm), Messages{kExecutedMessage});
  EXPECT_EQ(registry_.CurrentDeviceName(), u"capture_a");
  EXPECT_EQ(Press(u"capture_b", PrinterFamily::Pcl), Messages{kExecutedMessage});
  EXPECT_EQ(registry_.CurrentDeviceName(), u"capture_a");

  const std::vector<CapturedJob> jobs = WaitForCapturedJobs(2);
  ASSERT_EQ(jobs.size(), 2u);
  EXPECT_EQ(jobs[0].queue, "capture_b");
  EXPECT_EQ(jobs[0].data, ComposeTestPage(PrinterFamily::EpsonIbm));
  EXPECT_EQ(jobs[1].queue, "capture_b");
  EXPECT_EQ(jobs[1].data, ComposeTestPage(PrinterFamily::Pcl));
}

TEST_F(TestRunE2E, TextNamingNoQueueExactlySendsNothing) {
  for (const std::u16string& text :
       std::vector<std::u16string>{u"no_such_queue", u"", u"Capture_B", u"capture_b ",
                                   std::u16string(10000, u'c'), u"\u65e5\u672c"}) {
    EXPECT_EQ(Press(text, PrinterFamily::Pcl), Messages{kNotRecognizedMessage});
    EXPECT_EQ(registry_.CurrentDeviceName(), u"capture_a");
  }
  EXPECT_TRUE(WaitForCapturedJobs(1, std::chrono::seconds(1)).empty());
}

TEST_F(TestRunE2E, AQueueRefusingJobsGivesTheNotSentMessage) {
  EXPECT_EQ(Press(u"refusing", PrinterFamily::EpsonIbm), Messages{kNotSentMessage});
  EXPECT_EQ(registry_.CurrentDeviceName(), u"capture_a");
  EXPECT_TRUE(WaitForCapturedJobs(1, std::chrono::seconds(1)).empty());
}

}  // namespace
}  // namespace fontprobe
