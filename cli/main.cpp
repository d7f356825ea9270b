// fontprobe: the native edition over CUPS. Lists the printers, shows a test
// page, checks a printer, or prints the page as a raw job, to a queue or to a
// printer's own address, and follows it until the printer has printed it; and
// reads a scan of the printed page.
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Check.h"
#include "cli/FollowJob.h"
#include "cli/Interrupt.h"
#include "cli/Output.h"
#include "cli/PrintToAddress.h"
#include "cli/QueueChoice.h"
#include "cli/ReadPictures.h"
#include "platform/PlatformError.h"
#include "platform/cups/CupsServer.h"
#include "platform/cups/CupsSpooler.h"
#include "platform/cups/Utf8.h"
#include "printing/RawPrintJob.h"
#include "printing/TestPage.h"

namespace fontprobe {
namespace {

int List(double seconds) {
  const Deadline deadline(seconds, &interrupted);
  CupsServer server(deadline);
  for (const CupsPrinter& printer : server.Printers()) {
    SayColumns(
        {printer.name, PrinterStateName(printer.state), printer.isDefault ? "default" : "-"});
  }
  return kDone;
}

int Page(PrinterFamily family) {
  const std::string page = ComposeTestPage(family);
  const std::string out = isatty(STDOUT_FILENO) ? ReadableDump(page) : page;
  std::fwrite(out.data(), 1, out.size(), stdout);
  return kDone;
}

int Print(const PrintRequest& request) {
  const Deadline deadline(request.timeoutSeconds, &interrupted);
  CupsServer server(deadline);
  const auto printer = ChooseQueue(server, request.printer);
  if (!printer) return kNoSuchPrinter;

  CupsSpooler spooler(server);
  const std::string page = ComposeTestPage(request.family);
  const RawJob job = SendRawPrintJob(spooler, FromUtf8(*printer), page);
  if (job.outcome != RawJobOutcome::PageSent) {
    const std::string& cancellation = spooler.Cancellation();
    if (deadline.Stopped()) throw Stopped{cancellation};
    return Fail(kNotSent, "fontprobe: not sent: " + Sentence(spooler.LastError()) +
                              (cancellation.empty() ? "." : "; " + cancellation + "."));
  }
  Say("Job " + std::to_string(job.id) + ": the " + PageName(request.family) + " test page (" +
      std::to_string(page.size()) + " bytes) went to " + *printer + ".");
  std::fflush(stdout);
  if (!request.wait) return kDone;
  return FollowJob(QueuePlace(server, *printer), static_cast<int>(job.id), deadline);
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return Usage("a command is needed");
  const std::string& command = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h") {
    std::printf("%s\n%s", kUsageText, kHelpText);
    return kDone;
  }
  if (command == "--version") {
    std::printf("fontprobe %s\n", FONTPROBE_VERSION);
    return kDone;
  }
  if (command == "list") {
    double seconds = 0;
    if (const auto problem = ParseList(rest, seconds)) return Usage(*problem);
    return List(seconds);
  }
  if (command == "page") {
    const auto family = rest.size() == 1 ? FamilyNamed(rest[0]) : std::nullopt;
    return family ? Page(*family) : Usage("page needs one page name: epson or pcl");
  }
  if (command == "print") {
    PrintRequest request;
    if (const auto problem = ParsePrint(rest, request)) return Usage(*problem);
    return request.uri ? PrintToAddress(request) : Print(request);
  }
  if (command == "read") {
    ReadRequest request;
    if (const auto problem = ParseRead(rest, request)) return Usage(*problem);
    return ReadPictures(request);
  }
  if (command == "check") {
    PrintRequest request;
    if (const auto problem = ParseCheck(rest, request)) return Usage(*problem);
    return Check(request);
  }
  return Usage("unknown command '" + command + "'");
}

}  // namespace
}  // namespace fontprobe

int main(int argc, char** argv) {
  fontprobe::CatchInterrupt();
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return fontprobe::Run(args);
  } catch (const fontprobe::Stopped& stop) {
    const bool printing = !args.empty() && args[0] == "print";
    return fontprobe::Fail(
        fontprobe::kInterrupted,
        "fontprobe: stopped" + (!stop.leftBehind.empty() ? "; " + stop.leftBehind + "."
                                : printing               ? "; nothing was sent."
                                                         : "."));
  } catch (const fontprobe::PlatformError& error) {
    return fontprobe::Fail(
        fontprobe::kNotSent,
        "fontprobe: " + fontprobe::Sentence(fontprobe::ToUtf8(error.message())) + ".");
  }
}
