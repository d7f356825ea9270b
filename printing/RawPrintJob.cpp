#include "printing/RawPrintJob.h"

#include <string_view>

namespace fontprobe {
namespace {

// Closes the printer on every path once it has been opened.
class OpenPrinter {
 public:
  OpenPrinter(Spooler& spooler, Spooler::Handle handle) : spooler_(spooler), handle_(handle) {}
  ~OpenPrinter() { spooler_.Close(handle_); }
  OpenPrinter(const OpenPrinter&) = delete;
  OpenPrinter& operator=(const OpenPrinter&) = delete;
  Spooler::Handle get() const { return handle_; }

 private:
  Spooler& spooler_;
  Spooler::Handle handle_;
};

bool WriteWhole(Spooler& spooler, Spooler::Handle printer, std::string_view rest) {
  while (!rest.empty()) {
    const auto taken = spooler.Write(printer, rest);
    if (!taken || *taken == 0 || *taken > rest.size()) return false;
    rest.remove_prefix(*taken);
  }
  return true;
}

}  // namespace

RawJob SendRawPrintJob(Spooler& spooler, const std::u16string& deviceName,
                       const std::string& page) {
  using Result = Spooler::Opening::Result;
  const Spooler::Opening opening = spooler.Open(deviceName);
  if (opening.result == Result::NoSuchPrinter) return {RawJobOutcome::NoSuchPrinter};
  if (opening.result == Result::Refused) return {RawJobOutcome::PrinterNotOpened};
  OpenPrinter printer(spooler, opening.handle);

  const std::u16string dataType = spooler.HasXpsDriver(printer.get()) ? u"XPS_PASS" : u"RAW";
  const auto job = spooler.StartDocument(printer.get(), u"Command Print", dataType);
  if (!job) return {RawJobOutcome::PageNotSent};
  if (!spooler.StartPage(printer.get()) || !WriteWhole(spooler, printer.get(), page) ||
      !spooler.EndPage(printer.get())) {
    spooler.Abort(printer.get());
    return {RawJobOutcome::PageNotSent, *job};
  }
  if (!spooler.EndDocument(printer.get())) return {RawJobOutcome::PageNotSent, *job};
  return {RawJobOutcome::PageSent, *job};
}

}  // namespace fontprobe
