#include "cli/QueueChoice.h"

#include "cli/Output.h"
#include "platform/cups/CupsPrinterRegistry.h"
#include "platform/cups/Utf8.h"
#include "printers/PrinterSelection.h"

namespace fontprobe {
namespace {

std::u16string Folded(const std::u16string& name) {
  const auto first = name.find_first_not_of(u' ');
  const auto last = name.find_last_not_of(u' ');
  std::u16string folded =
      first == std::u16string::npos ? u"" : name.substr(first, last - first + 1);
  for (char16_t& c : folded) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return folded;
}

void SayNoSuchPrinter(const std::vector<std::u16string>& printers, const std::u16string& name) {
  std::string message = "fontprobe: no printer is named \"" + ToUtf8(name) + "\"";
  if (const auto candidate = NearMiss(printers, name)) {
    message += " (did you mean " + ToUtf8(*candidate) + "?)";
  }
  Fail(kNoSuchPrinter, message + "; fontprobe list shows the printers.");
}

}  // namespace

std::optional<std::u16string> NearMiss(const std::vector<std::u16string>& printers,
                                       const std::u16string& name) {
  const std::u16string folded = Folded(name);
  for (const std::u16string& candidate : printers) {
    if (Folded(candidate) == folded) return candidate;
  }
  return std::nullopt;
}

std::optional<std::string> ChooseQueue(CupsServer& server,
                                       const std::optional<std::string>& named) {
  CupsPrinterRegistry registry(server);
  const auto chosen = named ? std::optional(FromUtf8(*named)) : registry.CurrentDeviceName();
  if (!chosen) {
    Fail(kNoSuchPrinter,
         "fontprobe: there is no default printer; name one with "
         "--printer NAME (fontprobe list shows them).");
    return std::nullopt;
  }
  const std::vector<std::u16string> printers = registry.DeviceNames();
  if (!SelectPrinterByName(registry, printers, *chosen)) {
    SayNoSuchPrinter(printers, *chosen);
    return std::nullopt;
  }
  return ToUtf8(*chosen);
}

}  // namespace fontprobe
