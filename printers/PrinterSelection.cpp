#include "printers/PrinterSelection.h"

#include <algorithm>

namespace fontprobe {

void GetPrinters(PrinterRegistry& registry, PrinterChooser& chooser) {
  for (const std::u16string& name : registry.DeviceNames()) chooser.AddItem(name);

  const auto current = registry.CurrentDeviceName();
  if (!current) return;
  const int items = chooser.ItemCount();
  for (int i = 0; i < items; ++i) {
    if (chooser.Item(i) == *current) {
      chooser.Select(i);
      return;
    }
  }
}

bool SelectPrinterByName(PrinterRegistry& registry, const std::u16string& name) {
  if (!registry.IsInstalled(name)) return false;
  registry.MakeCurrent(name);
  return true;
}

bool SelectPrinterByName(PrinterRegistry& registry, const std::vector<std::u16string>& printers,
                         const std::u16string& name) {
  if (std::find(printers.begin(), printers.end(), name) == printers.end()) return false;
  registry.MakeCurrent(name);
  return true;
}

}  // namespace fontprobe
