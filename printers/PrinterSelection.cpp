#include "printers/PrinterSelection.h"

namespace fontprobe {

void GetPrinters(PrinterRegistry& registry, PrinterChooser& chooser) {
  const int count = registry.Count();
  for (int i = 0; i < count; ++i) chooser.AddItem(registry.DeviceName(i));

  const int items = chooser.ItemCount();
  for (int i = 0; i < items; ++i) {
    if (registry.CurrentDeviceName() == chooser.Item(i)) {
      chooser.Select(i);
      return;
    }
  }
}

bool SelectPrinterByName(PrinterRegistry& registry, const std::u16string& name) {
  const int count = registry.Count();
  for (int i = 0; i < count; ++i) {
    if (registry.DeviceName(i) == name) {
      registry.MakeCurrent(i);
      return true;
    }
  }
  return false;
}

}  // namespace fontprobe
