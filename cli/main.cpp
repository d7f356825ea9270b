// fontprobe: the native edition over CUPS. Lists the printers, shows a test
// page, checks a printer, or prints the page as a raw job, to a queue or to a
// printer's own address, and follows it until the printer has printed it;
// reads a scan of the printed page; and asks a printer for its resident fonts.
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Check.h"
#include "cli/FollowJob.h"
#include "cli/Fonts.h"
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

int List(const ListRequest& request) {
  const Deadline deadline(request.timeoutSeconds, &interrupted);
  CupsServer server(deadline);
  for (const CupsPrinter& printer : server.Printers()) {
    const char* state = PrinterStateName(printer.state);
    if (request.json) {
      std::printf(
          "%s\n",
          JsonLine(Json{{"name", printer.name}, {"state", state}, {"default", printer.isDefault}})
              .c_str());
    } else {
      SayColumns({printer.name, state, printer.isDefault ? "default" : "-"});
    }
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
  const Command command = ParseCommandLine(args);
  if (command.problem) return Usage(*command.problem);
  if (command.help) {
    std::printf("%s", command.help->c_str());
    return kDone;
  }
  const std::string& name = command.name;
  if (name == "--version") {
    std::printf("fontprobe %s\n", FONTPROBE_VERSION);
    return kDone;
  }
  if (name == "list") return List(command.list);
  if (name == "page") return Page(command.page);
  if (name == "print") {
    return command.print.uri ? PrintToAddress(command.print) : Print(command.print);
  }
  if (name == "check") return Check(command.print);
  if (name == "fonts") return Fonts(command.fonts);
  return ReadPictures(command.read);
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
