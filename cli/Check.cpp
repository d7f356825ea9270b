#include "cli/Check.h"

#include <algorithm>
#include <cstdio>

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

// What check finds, field by field, told as lines of text or as one JSON
// object once it is all known.
class CheckReport {
 public:
  explicit CheckReport(bool json) : json_(json) {}

  void Field(const std::string& key, const std::string& label, const std::string& value) {
    if (json_) {
      object_[key] = value;
    } else {
      SayColumns({label + ":", value.empty() ? "-" : value});
    }
  }
  void Flag(const std::string& key, const std::string& label, bool value) {
    if (json_) {
      object_[key] = value;
    } else {
      Field(key, label, value ? "yes" : "no");
    }
  }
  void Formats(const std::string& key, const std::string& label,
               const std::vector<std::string>& formats) {
    if (json_) {
      object_[key] = formats;
    } else {
      Field(key, label, FormatList(formats));
    }
  }
  void State(const CupsPrinter& printer) {
    const std::string state = PrinterStateName(printer.state);
    if (json_) {
      object_["state"] = state;
      object_["state_message"] = printer.stateMessage;
    } else {
      Field("state", "state",
            state + (printer.stateMessage.empty() ? "" : ": " + printer.stateMessage));
    }
  }
  // The last line: whether a raw test page can be printed there; the status.
  int End(bool canPrint, const std::string& line) {
    if (json_) {
      object_["can_print"] = canPrint;
      object_["says"] = line;
      std::printf("%s\n", JsonLine(object_).c_str());
    } else {
      Say(line);
    }
    return canPrint ? kDone : kNotSent;
  }

 private:
  bool json_;
  Json object_ = Json::object();
};

int CheckAddress(const std::string& uri, const Deadline& deadline, CheckReport& report) {
  std::string problem;
  const auto address = SplitDeviceUri(uri, problem);
  if (!address) return Usage(problem);
  if (address->scheme == "socket") {
    report.Field("printer", "printer", uri);
    return report.End(
        true,
        uri + ": a raw TCP port tells nothing of itself; fontprobe print sends the page there.");
  }
  IppPrinter printer(uri, deadline);
  const PrinterDescription description = printer.Describe();
  report.Field("printer", "printer", uri);
  report.Field("make_and_model", "make and model", description.makeAndModel);
  report.State(description.state);
  report.Formats("formats", "formats", description.formats);
  return report.End(RawFormatFor(PrinterFamily::EpsonIbm, description.formats).has_value(),
                    uri + " " + RawPageLine(description.formats) + ".");
}

// A queue hands a raw page on unchanged; to an IPP printer it goes as
// application/octet-stream, so the printer has to take that too.
int CheckQueueDevice(const std::string& queue, const std::string& device, const Deadline& deadline,
                     CheckReport& report) {
  std::vector<std::string> formats;
  try {
    formats = IppPrinter(device, deadline).Describe().formats;
  } catch (const PlatformError& error) {
    return report.End(false, queue +
                                 " takes raw pages, but its printer could not be asked whether it "
                                 "does: " +
                                 Sentence(ToUtf8(error.message())) + ".");
  }
  report.Formats("printer_formats", "printer formats", formats);
  if (RawFormatFor(PrinterFamily::EpsonIbm, formats)) {
    return report.End(true, queue +
                                " takes raw pages (application/vnd.cups-raw), and its printer "
                                "takes them as application/octet-stream.");
  }
  return report.End(false,
                    queue +
                        " takes raw pages, but its printer takes no "
                        "application/octet-stream: a raw test page cannot be printed there.");
}

int CheckQueue(const std::optional<std::string>& named, const Deadline& deadline,
               CheckReport& report) {
  CupsServer server(deadline);
  const auto queue = ChooseQueue(server, named);
  if (!queue) return kNoSuchPrinter;
  const PrinterDescription description = server.Describe(*queue);
  report.Field("queue", "queue", *queue);
  report.Field("device", "device", description.deviceUri);
  report.Field("make_and_model", "make and model", description.makeAndModel);
  report.Flag("accepting_jobs", "accepting jobs", description.accepting);
  report.State(description.state);
  const bool raw = std::find(description.formats.begin(), description.formats.end(),
                             "application/vnd.cups-raw") != description.formats.end();
  if (!description.accepting) {
    return report.End(false, *queue +
                                 " is not accepting jobs: a raw test page cannot be printed there "
                                 "now.");
  }
  if (!raw) {
    return report.End(false,
                      *queue + " takes no raw pages: a raw test page cannot be printed there.");
  }
  const std::string& device = description.deviceUri;
  const std::string scheme = device.substr(0, device.find(':'));
  if (scheme == "ipp" || scheme == "ipps") {
    // Without the options CUPS's backend reads after a '?'.
    return CheckQueueDevice(*queue, device.substr(0, device.find('?')), deadline, report);
  }
  return report.End(true, *queue + " takes raw pages (application/vnd.cups-raw).");
}

}  // namespace

int Check(const PrintRequest& request) {
  const Deadline deadline(request.timeoutSeconds, &interrupted);
  CheckReport report(request.json);
  return request.uri ? CheckAddress(*request.uri, deadline, report)
                     : CheckQueue(request.printer, deadline, report);
}

}  // namespace fontprobe
