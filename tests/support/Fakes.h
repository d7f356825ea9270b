#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/MessageSink.h"
#include "platform/PlatformError.h"
#include "platform/PrinterRegistry.h"
#include "printers/PrinterSelection.h"

namespace fontprobe::testing {

// Installed printers as a list; the current one is an index into it, so that a
// test can tell which of two same-named printers is current.
class FakePrinterRegistry : public PrinterRegistry {
 public:
  std::vector<std::u16string> printers;
  std::optional<int> current;
  bool failing = false;  // every operation throws, as a broken spooler service would

  int Count() override {
    Check();
    return static_cast<int>(printers.size());
  }
  std::u16string DeviceName(int index) override {
    Check();
    return printers.at(static_cast<std::size_t>(index));
  }
  std::optional<std::u16string> CurrentDeviceName() override {
    Check();
    if (!current) return std::nullopt;
    return currentName;
  }
  void MakeCurrent(int index) override {
    Check();
    current = index;
    currentName = printers.at(static_cast<std::size_t>(index));
  }
  void SetCurrent(int index) { MakeCurrent(index); }
  // A removed printer stays current by name, as a real current printer does.
  void Remove(int index) { printers.erase(printers.begin() + index); }

 private:
  std::u16string currentName;
  void Check() const {
    if (failing) throw PlatformError(u"The printers could not be read.");
  }
};

class FakeChooser : public PrinterChooser {
 public:
  std::vector<std::u16string> items;
  std::u16string text = u"Combo1";
  std::optional<int> selected;

  void AddItem(const std::u16string& item) override { items.push_back(item); }
  int ItemCount() override { return static_cast<int>(items.size()); }
  std::u16string Item(int index) override { return items.at(static_cast<std::size_t>(index)); }
  void Select(int index) override {
    selected = index;
    text = Item(index);
  }
  std::u16string Text() override { return text; }
};

class RecordingMessages : public MessageSink {
 public:
  std::vector<std::u16string> shown;
  void Show(const std::u16string& text) override { shown.push_back(text); }
};

}  // namespace fontprobe::testing
