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
  registry.current = u"B";
  FakeChooser chooser;
  GetPrinters(registry, chooser);
  EXPECT_EQ(chooser.items, (Names{u"A", u"B", u"C"}));
  EXPECT_EQ(chooser.selected, 1);
  EXPECT_EQ(chooser.text, u"B");
  EXPECT_EQ(registry.reads, 1);
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
  registry.current = u"Dup";
  FakeChooser chooser;
  GetPrinters(registry, chooser);
  EXPECT_EQ(chooser.items.size(), 3u);
  EXPECT_EQ(chooser.selected, 1);
}

TEST(GetPrinters, LeavesTheTextAloneWhenNothingMatchesTheCurrentPrinter) {
  struct Case {
    const char* name;
    Names printers;
    std::optional<std::u16string> current;
  };
  const Case cases[] = {{"no printers", {}, std::nullopt},
                        {"no current printer", {u"A", u"B"}, std::nullopt},
                        {"current printer not listed", {u"A", u"B"}, u"Gone"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePrinterRegistry registry;
    registry.printers = c.printers;
    registry.current = c.current;
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
    bool matches;  // otherwise the current printer is left untouched
  };
  const Case cases[] = {
      {u"Laser", true},     {u"Dup", true},
      {u"laser", false},    {u"Laser ", false},
      {u" Laser", false},   {u"", false},
      {u"B\u00fcro", true}, {std::u16string(10000, u'L'), false},
  };
  for (const Case& c : cases) {
    FakePrinterRegistry registry;
    registry.printers = {u"Ink", u"Laser", u"Dup", u"Dup", u"B\u00fcro"};
    registry.current = u"Ink";
    EXPECT_EQ(SelectPrinterByName(registry, c.name), c.matches);
    EXPECT_EQ(registry.current, c.matches ? c.name : u"Ink");
    // The one name is looked up; the whole list is never read for it.
    EXPECT_EQ(registry.lookups, 1);
    EXPECT_EQ(registry.reads, 0);
  }
}

// A printer that goes between two presses is not found by the second, and one
// that comes is: each selection asks the registry afresh.
TEST(SelectPrinterByName, AsksAfreshEachTime) {
  FakePrinterRegistry registry;
  registry.printers = {u"Ink", u"Laser"};
  EXPECT_TRUE(SelectPrinterByName(registry, u"Laser"));
  registry.printers = {u"Ink", u"Newcomer"};
  EXPECT_FALSE(SelectPrinterByName(registry, u"Laser"));
  EXPECT_TRUE(SelectPrinterByName(registry, u"Newcomer"));
  EXPECT_EQ(registry.current, u"Newcomer");
}

TEST(SelectPrinterByName, EmptyNameMatchesOnlyAnEmptyDeviceName) {
  FakePrinterRegistry registry;
  registry.printers = {u"A", u""};
  EXPECT_TRUE(SelectPrinterByName(registry, u""));
  EXPECT_EQ(registry.current, u"");
}

TEST(SelectPrinterByName, FindsNothingWithoutPrinters) {
  FakePrinterRegistry registry;
  EXPECT_FALSE(SelectPrinterByName(registry, u"A"));
  EXPECT_FALSE(registry.current);
}

}  // namespace
}  // namespace fontprobe
