#include "cli/Check.h"

#include <algorithm>

#include "cli/Interrupt.h"
#include "cli/Output.h"
#include "cli/PrintToAddress.h"
#include "cli/QueueChoice.h"
#include "platform/PlatformError.h"
#include "platform/cups/CupsServer.h"
#include "platform/cups/DeviceUri.h"
#include "platform/cups/IppPrinter.h"
#include "platform/cups/Utf8.h"

namespace fontprobe {
namespace {

void SayField(const std::string& name, const std::string& value) {
  SayColumns({name + ":", value.empty() ? "-" : value});
}

void SayState(const CupsPrinter& printer) {
  SayField("state", std::string(PrinterStateName(printer.state)) +
                        (printer.stateMessage.empty() ? "" : ": " + printer.stateMessage));
}

int CheckAddress(const std::string& uri, const Deadline& deadline) {
  std::string problem;
  const auto address = SplitDeviceUri(uri, problem);
  if (!address) return Usage(problem);
  if (address->scheme == "socket") {
    Say(uri + ": a raw TCP port tells nothing of itself; fontprobe print sends the page there.");
    return kDone;
  }
  IppPrinter printer(uri, deadline);
  const PrinterDescription description = printer.Describe();
  SayField("printer", uri);
  SayField("make and model", description.makeAndModel);
  SayState(description.state);
  SayField("formats", FormatList(description.formats));
  const std::string line = RawPageLine(description.formats);
  Say(uri + " " + line + ".");
  return RawFormatFor(PrinterFamily::EpsonIbm, description.formats) ? kDone : kNotSent;
}

// A queue hands a raw page on unchanged; to an IPP printer it goes as
// application/octet-stream, so the printer has to take that too.
int CheckQueueDevice(const std::string& queue, const std::string& device,
                     const Deadline& deadline) {
  std::vector<std::string> formats;
  try {
    formats = IppPrinter(device, deadline).Describe().formats;
  } catch (const PlatformError& error) {
    Say(queue + " takes raw pages, but its printer could not be asked whether it does: " +
        Sentence(ToUtf8(error.message())) + ".");
    return kNotSent;
  }
  SayField("printer formats", FormatList(formats));
  if (RawFormatFor(PrinterFamily::EpsonIbm, formats)) {
    Say(queue +
        " takes raw pages (application/vnd.cups-raw), and its printer takes them "
        "as application/octet-stream.");
    return kDone;
  }
  Say(queue +
      " takes raw pages, but its printer takes no application/octet-stream: a raw "
      "test page cannot be printed there.");
  return kNotSent;
}

int CheckQueue(const std::optional<std::string>& named, const Deadline& deadline) {
  CupsServer server(deadline);
  const auto queue = ChooseQueue(server, named);
  if (!queue) return kNoSuchPrinter;
  const PrinterDescription description = server.Describe(*queue);
  SayField("queue", *queue);
  SayField("device", description.deviceUri);
  SayField("make and model", description.makeAndModel);
  SayField("accepting jobs", description.accepting ? "yes" : "no");
  SayState(description.state);
  const bool raw = std::find(description.formats.begin(), description.formats.end(),
                             "application/vnd.cups-raw") != description.formats.end();
  if (!description.accepting) {
    Say(*queue + " is not accepting jobs: a raw test page cannot be printed there now.");
    return kNotSent;
  }
  if (!raw) {
    Say(*queue + " takes no raw pages: a raw test page cannot be printed there.");
    return kNotSent;
  }
  const std::string& device = description.deviceUri;
  const std::string scheme = device.substr(0, device.find(':'));
  if (scheme == "ipp" || scheme == "ipps") {
    // Without the options CUPS's backend reads after a '?'.
    return CheckQueueDevice(*queue, device.substr(0, device.find('?')), deadline);
  }
  Say(*queue + " takes raw pages (application/vnd.cups-raw).");
  return kDone;
}

}  // namespace

int Check(const PrintRequest& request) {
  const Deadline deadline(request.timeoutSeconds, &interrupted);
  return request.uri ? CheckAddress(*request.uri, deadline) : CheckQueue(request.printer, deadline);
}

}  // namespace fontprobe
