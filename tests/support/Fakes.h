#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "interfaces/MessageSink.h"
#include "platform/PlatformError.h"
#include "printers/PrinterRegistry.h"
#include "printers/PrinterSelection.h"

namespace fontprobe::testing {

// Installed printers as a list, and the current printer by name. Counts how
// often the list is read and a name looked up, so that a test can tell what
// an operation asks.
class FakePrinterRegistry : public PrinterRegistry {
 public:
  std::vector<std::u16string> printers;
  std::optional<std::u16string> current;
  bool failing = false;  // every operation throws, as a broken spooler service would
  int reads = 0;
  int lookups = 0;

  std::vector<std::u16string> DeviceNames() override {
    Check();
    ++reads;
    return printers;
  }
  bool IsInstalled(const std::u16string& deviceName) override {
    Check();
    ++lookups;
    return std::find(printers.begin(), printers.end(), deviceName) != printers.end();
  }
  std::optional<std::u16string> CurrentDeviceName() override {
    Check();
    return current;
  }
  void MakeCurrent(const std::u16string& deviceName) override {
    Check();
    current = deviceName;
  }

 private:
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
