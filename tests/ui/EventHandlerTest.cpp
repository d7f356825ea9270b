#include "ui/EventHandler.h"

#include <gtest/gtest.h>

#include "platform/PlatformError.h"
#include "printing/TestRun.h"
#include "tests/support/FakeSpooler.h"
#include "tests/support/Fakes.h"

namespace fontprobe {
namespace {

using testing::RecordingMessages;

TEST(RunEventHandler, ShowsOneMessageForAnErrorAndReturns) {
  // A test run whose printer registry fails: the run ends, nothing is printed,
  // and the platform's sentence is the one message.
  testing::FakePrinterRegistry registry;
  registry.failing = true;
  testing::FakeSpooler spooler;
  RecordingMessages messages;
  RunEventHandler(messages, [&] {
    messages.Show(RunPrinterTest(PrinterFamily::Pcl, u"P", registry, spooler));
  });
  EXPECT_EQ(messages.shown, std::vector<std::u16string>{u"The printers could not be read."});
  EXPECT_TRUE(spooler.calls.empty());

  RecordingMessages others;
  RunEventHandler(others, [] { throw std::bad_alloc(); });
  RunEventHandler(others, [] { throw 42; });
  RunEventHandler(others, [] {});
  ASSERT_EQ(others.shown.size(), 2u);
  EXPECT_NE(others.shown[0].find(u"out of memory"), std::u16string::npos);
  EXPECT_NE(others.shown[1].find(u"unexpected error"), std::u16string::npos);
}

}  // namespace
}  // namespace fontprobe
