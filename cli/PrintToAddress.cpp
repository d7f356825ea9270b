#include "cli/PrintToAddress.h"

#include <algorithm>
#include <cstdio>

#include "cli/FollowJob.h"
#include "cli/Interrupt.h"
#include "cli/Output.h"
#include "platform/cups/DeviceUri.h"
#include "platform/cups/IppPrinter.h"
#include "platform/socket/RawSocketPrinter.h"
#include "printing/TestPage.h"

namespace fontprobe {
namespace {

constexpr char kPcl[] = "application/vnd.hp-PCL";
constexpr char kOctetStream[] = "application/octet-stream";

bool Lists(const std::vector<std::string>& formats, const std::string& format) {
  return std::find(formats.begin(), formats.end(), format) != formats.end();
}

int PrintOverIpp(const PrintRequest& request, const std::string& page, const Deadline& deadline) {
  IppPrinter printer(*request.uri, deadline);
  const std::vector<std::string> formats = printer.Formats();
  const auto format = RawFormatFor(request.family, formats);
  if (!format) {
    return Fail(kNotSent,
                "fontprobe: not sent: " + *request.uri + " " + RawPageLine(formats) + ".");
  }
  const int id = printer.Print(page, *format, "Command Print");
  Say("Job " + std::to_string(id) + ": the " + PageName(request.family) + " test page (" +
      std::to_string(page.size()) + " bytes, as " + *format + ") went to " + *request.uri + ".");
  std::fflush(stdout);
  if (!request.wait) return kDone;
  const JobPlace place{
      *request.uri, [&printer](int job) { return printer.Job(job); },
      [&request](const Deadline& grace) { return IppPrinter(*request.uri, grace).State(); },
      "cancel it on the printer's panel or web page: job "};
  return FollowJob(place, id, deadline);
}

}  // namespace

std::optional<std::string> RawFormatFor(PrinterFamily family,
                                        const std::vector<std::string>& formats) {
  if (family == PrinterFamily::Pcl && Lists(formats, kPcl)) return kPcl;
  if (Lists(formats, kOctetStream)) return kOctetStream;
  return std::nullopt;
}

std::string RawPageLine(const std::vector<std::string>& formats) {
  if (Lists(formats, kPcl)) return "takes raw PCL";
  if (Lists(formats, kOctetStream)) return std::string("takes ") + kOctetStream;
  const bool pdfAndRaster =
      !formats.empty() && std::all_of(formats.begin(), formats.end(), [](auto& f) {
        return f == "application/pdf" || f.rfind("image/", 0) == 0 || f == "application/PCLm";
      });
  return "takes only " +
         (pdfAndRaster      ? std::string("PDF and raster")
          : formats.empty() ? std::string("nothing")
                            : FormatList(formats)) +
         ": a raw test page cannot be printed there";
}

int PrintToAddress(const PrintRequest& request) {
  std::string problem;
  const auto address = SplitDeviceUri(*request.uri, problem);
  if (!address) return Usage(problem);
  const std::string page = ComposeTestPage(request.family);
  const Deadline deadline(request.timeoutSeconds, &interrupted);
  if (address->scheme != "socket") return PrintOverIpp(request, page, deadline);
  SendToRawSocket(address->host, address->port, page, deadline);
  Say(std::string("The ") + PageName(request.family) + " test page (" +
      std::to_string(page.size()) + " bytes) was delivered to the device at " + address->host +
      ":" + std::to_string(address->port) +
      ". A raw port tells no more than that: look at the printer for the page.");
  return kDone;
}

}  // namespace fontprobe
