#include "printing/BackgroundTestRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>

#include "tests/support/FakeSpooler.h"
#include "tests/support/Fakes.h"
#include "tests/support/StdWorkThread.h"

namespace fontprobe {
namespace {

using namespace std::chrono_literals;
using testing::FakePrinterRegistry;
using testing::FakeSpooler;
using testing::StdWorkThread;

// A spooler that stalls in the write, as one whose server has gone away does,
// until the test releases it.
class StallingSpooler : public FakeSpooler {
 public:
  std::promise<void> entered;
  std::promise<void> release;

  std::optional<std::uint32_t> Write(Handle printer, std::string_view bytes) override {
    entered.set_value();
    release.get_future().wait();
    return FakeSpooler::Write(printer, bytes);
  }
};

// What the run's thread reported, and on which thread.
struct Reports {
  std::mutex mutex;
  std::vector<TestRunEnd> ends;
  std::vector<std::thread::id> threads;

  BackgroundTestRun::Finished Collector() {
    return [this](TestRunEnd end) {
      const std::lock_guard lock(mutex);
      ends.push_back(std::move(end));
      threads.push_back(std::this_thread::get_id());
    };
  }
};

struct Printers {
  FakePrinterRegistry registry;
  Printers() {
    registry.printers = {u"Home", u"P"};
    registry.current = u"Home";
  }
};

TEST(BackgroundTestRun, AStalledSpoolerHoldsOneRunAndIgnoresPressesUntilItEnds) {
  Printers printers;
  StallingSpooler spooler;
  Reports reports;
  StdWorkThread thread;
  BackgroundTestRun run(printers.registry, spooler, thread);

  ASSERT_TRUE(run.Start(PrinterFamily::Pcl, u"P", reports.Collector()));
  spooler.entered.get_future().wait();
  EXPECT_TRUE(run.Running());
  EXPECT_FALSE(run.Start(PrinterFamily::EpsonIbm, u"P", reports.Collector()));
  EXPECT_FALSE(run.Finish(50ms));
  EXPECT_TRUE(reports.ends.empty());

  spooler.release.set_value();
  EXPECT_TRUE(run.Finish(10s));
  EXPECT_FALSE(run.Running());
  ASSERT_EQ(reports.ends.size(), 1u);
  EXPECT_EQ(reports.ends[0].message, kExecutedMessage);
  EXPECT_FALSE(reports.ends[0].error);
  EXPECT_NE(reports.threads[0], std::this_thread::get_id());
  EXPECT_EQ(spooler.written, ComposeTestPage(PrinterFamily::Pcl));
  EXPECT_EQ(std::count(spooler.calls.begin(), spooler.calls.end(), "Open"), 1);
  EXPECT_EQ(printers.registry.current, u"Home");
}

TEST(BackgroundTestRun, RunsOneAfterAnotherEachWithItsOwnEnd) {
  struct Case {
    const char* name;
    std::u16string chosen;
    bool registryFails;
    std::u16string message;  // empty: the run ends with the registry's error
  };
  const Case cases[] = {
      {"sent", u"P", false, kExecutedMessage},
      {"no such printer", u"Q", false, kNotRecognizedMessage},
      {"registry fails", u"P", true, u""},
      {"sent again after a failure", u"P", false, kExecutedMessage},
  };
  Printers printers;
  FakeSpooler spooler;
  Reports reports;
  StdWorkThread thread;
  BackgroundTestRun run(printers.registry, spooler, thread);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    printers.registry.failing = c.registryFails;
    ASSERT_TRUE(run.Start(PrinterFamily::EpsonIbm, c.chosen, reports.Collector()));
    ASSERT_TRUE(run.Finish(10s));
    const TestRunEnd& end = reports.ends.back();
    EXPECT_EQ(end.message, c.message);
    if (c.message.empty()) {
      ASSERT_TRUE(end.error);
      EXPECT_THROW(std::rethrow_exception(end.error), PlatformError);
    } else {
      EXPECT_FALSE(end.error);
    }
  }
  EXPECT_EQ(reports.ends.size(), std::size(cases));
  EXPECT_EQ(spooler.written,
            ComposeTestPage(PrinterFamily::EpsonIbm) + ComposeTestPage(PrinterFamily::EpsonIbm));
}

TEST(BackgroundTestRun, EndingWithARunOnItsWayWaitsForIt) {
  Printers printers;
  StallingSpooler spooler;
  Reports reports;
  std::thread releaser;
  {
    StdWorkThread thread;
    BackgroundTestRun run(printers.registry, spooler, thread);
    ASSERT_TRUE(run.Start(PrinterFamily::Pcl, u"P", reports.Collector()));
    spooler.entered.get_future().wait();
    releaser = std::thread([&] {
      std::this_thread::sleep_for(50ms);
      spooler.release.set_value();
    });
  }
  releaser.join();
  // Destroyed only once the page has gone whole and the end was told.
  EXPECT_EQ(reports.ends.size(), 1u);
  EXPECT_EQ(spooler.calls.back(), "Close");
}

}  // namespace
}  // namespace fontprobe
