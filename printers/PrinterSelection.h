#pragma once

#include <string>

#include "printers/PrinterRegistry.h"

namespace fontprobe {

// The printer chooser of the main window: a list of names and an editable text.
class PrinterChooser {
 public:
  virtual ~PrinterChooser() = default;
  virtual void AddItem(const std::u16string& text) = 0;
  virtual int ItemCount() = 0;
  virtual std::u16string Item(int index) = 0;
  virtual void Select(int index) = 0;
  virtual std::u16string Text() = 0;
};

// Appends every installed printer to the chooser, in the registry's order, and
// selects the first item naming the current printer, if any does. The printers
// are read once.
void GetPrinters(PrinterRegistry& registry, PrinterChooser& chooser);

// Makes the printer whose device name equals `name` exactly (case and spaces
// count) current, if one is installed now. False, with the current printer
// untouched, when none is.
bool SelectPrinterByName(PrinterRegistry& registry, const std::u16string& name);

// The same on a reading of the printers the caller has made already, so that
// an operation that selects twice still reads the list once.
bool SelectPrinterByName(PrinterRegistry& registry, const std::vector<std::u16string>& printers,
                         const std::u16string& name);

}  // namespace fontprobe
