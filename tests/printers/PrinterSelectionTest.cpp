#include "printers/PrinterSelection.h"

#include <gtest/gtest.h>

#include "tests/support/Fakes.h"

namespace fontprobe {
namespace {

using testing::FakeChooser;
using testing::FakePrinterRegistry;
using Names = std::vector<std::u16string>;

TEST(GetPrinters, ListsPrintersInOrderAndSelectsTheCurrentOne) {
  FakePrinterRegistry registry;
  registry.printers = {u"A", u"B", u"C"};
  registry.SetCurrent(1);
  FakeChooser chooser;
  GetPrinters(registry, chooser);
  EXPECT_EQ(chooser.items, (Names{u"A", u"B", u"C"}));
  EXPECT_EQ(chooser.selected, 1);
  EXPECT_EQ(chooser.text, u"B");
}

TEST(GetPrinters, AppendsToWhatTheListHeld) {
  FakePrinterRegistry registry;
  registry.printers = {u"A"};
  FakeChooser chooser;
  chooser.items = {u"old"};
  GetPrinters(registry, chooser);
  EXPECT_EQ(chooser.items, (Names{u"old", u"A"}));
}

TEST(GetPrinters, SelectsTheLowerOfTwoSameNamedPrinters) {
  FakePrinterRegistry registry;
  registry.printers = {u"X", u"Dup", u"Dup"};
  registry.SetCurrent(2);
  FakeChooser chooser;
  GetPrinters(registry, chooser);
  EXPECT_EQ(chooser.items.size(), 3u);
  EXPECT_EQ(chooser.selected, 1);
}

TEST(GetPrinters, LeavesTheTextAloneWhenNothingMatchesTheCurrentPrinter) {
  struct Case {
    const char* name;
    Names printers;
    std::optional<int> current;
  };
  const Case cases[] = {{"no printers", {}, std::nullopt},
                        {"no current printer", {u"A", u"B"}, std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePrinterRegistry registry;
    registry.printers = c.printers;
    FakeChooser chooser;
    GetPrinters(registry, chooser);
    EXPECT_EQ(chooser.items, c.printers);
    EXPECT_FALSE(chooser.selected);
    EXPECT_EQ(chooser.text, u"Combo1");
  }
}

TEST(SelectPrinterByName, MatchesOnlyTheExactName) {
  struct Case {
    std::u16string name;
    std::optional<int> madeCurrent;  // nothing: no match, current untouched
  };
  const Case cases[] = {
      {u"Laser", 1},
      {u"Dup", 2},
      {u"laser", std::nullopt},
      {u"Laser ", std::nullopt},
      {u" Laser", std::nullopt},
      {u"", std::nullopt},
      {u"B\u00fcro", 4},
      {std::u16string(10000, u'L'), std::nullopt},
  };
  for (const Case& c : cases) {
    FakePrinterRegistry registry;
    registry.printers = {u"Ink", u"Laser", u"Dup", u"Dup", u"B\u00fcro"};
    registry.SetCurrent(0);
    EXPECT_EQ(SelectPrinterByName(registry, c.name), c.madeCurrent.has_value());
    EXPECT_EQ(registry.current, c.madeCurrent.value_or(0));
  }
}

TEST(SelectPrinterByName, EmptyNameMatchesOnlyAnEmptyDeviceName) {
  FakePrinterRegistry registry;
  registry.printers = {u"A", u""};
  EXPECT_TRUE(SelectPrinterByName(registry, u""));
  EXPECT_EQ(registry.current, 1);
}

TEST(SelectPrinterByName, FindsNothingWithoutPrinters) {
  FakePrinterRegistry registry;
  EXPECT_FALSE(SelectPrinterByName(registry, u"A"));
  EXPECT_FALSE(registry.current);
}

}  // namespace
}  // namespace fontprobe
