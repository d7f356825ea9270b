#include "cli/Check.h"

#include <algorithm>

#include "cli/Output.h"
#include "cli/PrintToAddress.h"
#include "cli/QueueChoice.h"
#include "platform/cups/CupsServer.h"
#include "platform/cups/DeviceUri.h"
#include "platform/cups/IppPrinter.h"

namespace fontprobe {
namespace {

void SayField(const std::string& name, const std::string& value) {
  SayColumns({name + ":", value.empty() ? "-" : value});
}

void SayState(const CupsPrinter& printer) {
  SayField("state", std::string(PrinterStateName(printer.state)) +
                        (printer.stateMessage.empty() ? "" : ": " + printer.stateMessage));
}

int CheckAddress(const std::string& uri) {
  std::string problem;
  const auto address = SplitDeviceUri(uri, problem);
  if (!address) return Usage(problem);
  if (address->scheme == "socket") {
    Say(uri + ": a raw TCP port tells nothing of itself; fontprobe print sends the page there.");
    return kDone;
  }
  IppPrinter printer(uri);
  const PrinterDescription description = printer.Describe();
  SayField("printer", uri);
  SayField("make and model", description.makeAndModel);
  SayState(description.state);
  SayField("formats", FormatList(description.formats));
  const std::string line = RawPageLine(description.formats);
  Say(uri + " " + line + ".");
  return RawFormatFor(PrinterFamily::EpsonIbm, description.formats) ? kDone : kNotSent;
}

int CheckQueue(const std::optional<std::string>& named) {
  CupsServer server;
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
  Say(*queue + (raw ? " takes raw pages (application/vnd.cups-raw)."
                    : " takes no raw pages: a raw test page cannot be printed there."));
  return raw ? kDone : kNotSent;
}

}  // namespace

int Check(const PrintRequest& request) {
  return request.uri ? CheckAddress(*request.uri) : CheckQueue(request.printer);
}

}  // namespace fontprobe
