// fontprobe: the native edition over CUPS. Lists the printers, shows a test
// page, or prints one as a raw job and follows it until the printer has printed it.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/cups/CupsPrinterRegistry.h"
#include "platform/cups/CupsServer.h"
#include "platform/cups/CupsSpooler.h"
#include "platform/cups/Utf8.h"
#include "printers/PrinterSelection.h"
#include "printing/RawPrintJob.h"
#include "printing/TestPage.h"

namespace fontprobe {
namespace {

using Clock = std::chrono::steady_clock;

// Exit statuses, one for each way a command can end.
enum Status : int {
  kDone = 0,
  kUsage = 1,
  kNoSuchPrinter = 2,
  kNotSent = 3,
  kNotPrinted = 4,
  kStillWaiting = 5,
  kInterrupted = 130,
};

constexpr char kUsageText[] =
    "usage: fontprobe list\n"
    "       fontprobe page epson|pcl\n"
    "       fontprobe print epson|pcl [--printer NAME] [--timeout SECONDS] [--no-wait]\n";

constexpr char kHelpText[] =
    "Fontprobe tells whether a printer prints OCR-B from its own fonts: it sends a raw\n"
    "test page whose lines of the digit 3 come out flat-topped in OCR-B.\n\n"
    "  list    the printers, one a line: NAME<TAB>idle|printing|stopped<TAB>default|-\n"
    "  page    the test page's bytes (a readable dump on a terminal)\n"
    "  print   sends the page as one raw job titled \"Command Print\" to NAME or the\n"
    "          default printer and follows the job until it has printed (--timeout,\n"
    "          60 s by default) or, with --no-wait, until CUPS has accepted it\n\n"
    "Exit status: 0 printed (or accepted), 1 usage, 2 no such printer, 3 not sent,\n"
    "4 ended without printing, 5 still waiting when the time ran out, 130 interrupted.\n";

struct PrintRequest {
  PrinterFamily family = PrinterFamily::Pcl;
  std::optional<std::string> printer;
  double timeoutSeconds = 60;
  bool wait = true;
};

volatile std::sig_atomic_t interrupted = 0;

int Usage(const std::string& problem) {
  std::fprintf(stderr, "fontprobe: %s\n%s", problem.c_str(), kUsageText);
  return kUsage;
}

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  return status;
}

std::optional<PrinterFamily> FamilyNamed(const std::string& name) {
  if (name == "epson") return PrinterFamily::EpsonIbm;
  if (name == "pcl") return PrinterFamily::Pcl;
  return std::nullopt;
}

// Control bytes in angle brackets, ESC as <ESC>, a new line after each <LF>.
std::string ReadableDump(const std::string& page) {
  std::string dump;
  for (const unsigned char byte : page) {
    if (byte == 27)
      dump += "<ESC>";
    else if (byte == '\r')
      dump += "<CR>";
    else if (byte == '\n')
      dump += "<LF>\n";
    else if (byte == '\f')
      dump += "<FF>";
    else if (byte < 32 || byte == 127) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "<%02X>", byte);
      dump += hex;
    } else {
      dump += static_cast<char>(byte);
    }
  }
  return dump + (dump.empty() || dump.back() == '\n' ? "" : "\n");
}

const char* PrinterStateName(PrinterState state) {
  switch (state) {
    case PrinterState::Printing:
      return "printing";
    case PrinterState::Stopped:
      return "stopped";
    case PrinterState::Idle:
      break;
  }
  return "idle";
}

const char* JobStateName(JobState state) {
  switch (state) {
    case JobState::Pending:
      return "pending";
    case JobState::Held:
      return "held";
    case JobState::Processing:
      return "processing";
    case JobState::Stopped:
      return "stopped";
    case JobState::Canceled:
      return "canceled";
    case JobState::Aborted:
      return "aborted";
    case JobState::Completed:
      return "completed";
  }
  return "unknown";
}

int List() {
  CupsServer server;
  for (const CupsPrinter& printer : server.Printers()) {
    std::printf("%s\t%s\t%s\n", printer.name.c_str(), PrinterStateName(printer.state),
                printer.isDefault ? "default" : "-");
  }
  return kDone;
}

int Page(PrinterFamily family) {
  const std::string page = ComposeTestPage(family);
  const std::string out = isatty(STDOUT_FILENO) ? ReadableDump(page) : page;
  std::fwrite(out.data(), 1, out.size(), stdout);
  return kDone;
}

// Names equal but for letter case and surrounding spaces.
std::string Folded(const std::string& name) {
  const auto first = name.find_first_not_of(' ');
  const auto last = name.find_last_not_of(' ');
  std::string folded = first == std::string::npos ? "" : name.substr(first, last - first + 1);
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return folded;
}

int NoSuchPrinter(const std::vector<std::u16string>& printers, const std::string& name) {
  std::string message = "fontprobe: no printer is named \"" + name + "\"";
  for (const std::u16string& candidate : printers) {
    if (Folded(ToUtf8(candidate)) == Folded(name)) {
      message += " (did you mean " + ToUtf8(candidate) + "?)";
      break;
    }
  }
  return Fail(kNoSuchPrinter, message + "; fontprobe list shows the printers.");
}

// CUPS's own sentences, without the full stop that Fontprobe's sentence adds.
std::string Sentence(std::string text) {
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  return text;
}

std::string Reasons(const CupsJobStatus& job) {
  std::string reasons = job.reasons;
  if (!job.printerMessage.empty()) {
    reasons += (reasons.empty() ? "" : "; ") + Sentence(job.printerMessage);
  }
  return reasons.empty() ? "" : " (" + reasons + ")";
}

int StillWaiting(CupsServer& server, const std::string& printer, int id, const CupsJobStatus& job,
                 double seconds) {
  const CupsPrinter state = server.Printer(printer);
  char after[32];
  std::snprintf(after, sizeof after, "%g s", seconds);
  std::string message = "fontprobe: still waiting after " + std::string(after) + ": job " +
                        std::to_string(id) + " is " + JobStateName(job.state) + Reasons(job) +
                        "; printer " + printer + " is " + PrinterStateName(state.state);
  if (!state.stateMessage.empty()) message += ": " + Sentence(state.stateMessage);
  return Fail(kStillWaiting,
              message + ". The job stays queued; cancel it with: cancel " + std::to_string(id));
}

// Asks CUPS for the job's state, often at first and then less often, until it
// ends, the time runs out or the user presses Ctrl-C.
int Follow(CupsServer& server, const std::string& printer, int id, double timeoutSeconds) {
  const auto start = Clock::now();
  const auto deadline = start + std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<double>(timeoutSeconds));
  const bool showProgress = isatty(STDERR_FILENO);
  auto interval = std::chrono::milliseconds(10);
  std::optional<JobState> shown;
  for (;;) {
    const CupsJobStatus job = server.Job(printer, id);
    if (showProgress && shown != job.state) {
      std::fprintf(stderr, "job %d: %s%s\n", id, JobStateName(job.state), Reasons(job).c_str());
      shown = job.state;
    }
    switch (job.state) {
      case JobState::Completed:
        std::printf("Job %d completed: %s has printed the test page.\n", id, printer.c_str());
        return kDone;
      case JobState::Aborted:
      case JobState::Canceled:
        return Fail(kNotPrinted, "fontprobe: job " + std::to_string(id) + " was " +
                                     JobStateName(job.state) + " without printing" + Reasons(job) +
                                     ".");
      default:
        break;
    }
    if (interrupted) {
      return Fail(kInterrupted, "fontprobe: stopped waiting. Job " + std::to_string(id) +
                                    " stays queued on " + printer + "; cancel it with: cancel " +
                                    std::to_string(id));
    }
    if (Clock::now() >= deadline) return StillWaiting(server, printer, id, job, timeoutSeconds);
    std::this_thread::sleep_for(std::min<Clock::duration>(interval, deadline - Clock::now()));
    // Every 10 ms for the first two seconds, then backing off to one a second.
    if (Clock::now() - start > std::chrono::seconds(2)) {
      interval = std::min(interval * 3 / 2, std::chrono::milliseconds(1000));
    }
  }
}

int Print(const PrintRequest& request) {
  CupsServer server;
  CupsPrinterRegistry registry(server);
  const auto chosen =
      request.printer ? std::optional(FromUtf8(*request.printer)) : registry.CurrentDeviceName();
  if (!chosen) {
    return Fail(kNoSuchPrinter,
                "fontprobe: there is no default printer; name one with "
                "--printer NAME (fontprobe list shows them).");
  }
  const std::string printer = ToUtf8(*chosen);
  const std::vector<std::u16string> printers = registry.DeviceNames();
  if (!SelectPrinterByName(registry, printers, *chosen)) return NoSuchPrinter(printers, printer);

  CupsSpooler spooler(server);
  const std::string page = ComposeTestPage(request.family);
  const RawJob job = SendRawPrintJob(spooler, *chosen, page);
  if (job.outcome != RawJobOutcome::PageSent) {
    return Fail(kNotSent, "fontprobe: not sent: " + Sentence(spooler.LastError()) +
                              (job.id ? "; the job was cancelled." : "."));
  }
  std::printf("Job %u: the %s test page (%zu bytes) went to %s.\n", job.id,
              request.family == PrinterFamily::Pcl ? "PCL" : "Epson FX / IBM Proprinter",
              page.size(), printer.c_str());
  std::fflush(stdout);
  if (!request.wait) return kDone;
  return Follow(server, printer, static_cast<int>(job.id), request.timeoutSeconds);
}

// Parses what follows "print"; a problem is returned as a usage message.
std::optional<std::string> ParsePrint(const std::vector<std::string>& args, PrintRequest& request) {
  if (args.empty()) return "print needs a page: epson or pcl";
  const auto family = FamilyNamed(args[0]);
  if (!family) return "unknown page '" + args[0] + "' (epson or pcl)";
  request.family = *family;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--no-wait") {
      request.wait = false;
    } else if (arg == "--printer" || arg == "--timeout") {
      if (i + 1 == args.size()) return arg + " needs a value";
      const std::string& value = args[++i];
      if (arg == "--printer") {
        request.printer = value;
        continue;
      }
      char* end = nullptr;
      request.timeoutSeconds = std::strtod(value.c_str(), &end);
      if (value.empty() || *end || !(request.timeoutSeconds > 0)) {
        return "--timeout needs a number of seconds above 0, not '" + value + "'";
      }
    } else {
      return "unexpected '" + arg + "'";
    }
  }
  return std::nullopt;
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
  if (command == "list") return rest.empty() ? List() : Usage("list takes no arguments");
  if (command == "page") {
    const auto family = rest.size() == 1 ? FamilyNamed(rest[0]) : std::nullopt;
    return family ? Page(*family) : Usage("page needs one page name: epson or pcl");
  }
  if (command == "print") {
    PrintRequest request;
    if (const auto problem = ParsePrint(rest, request)) return Usage(*problem);
    return Print(request);
  }
  return Usage("unknown command '" + command + "'");
}

}  // namespace
}  // namespace fontprobe

int main(int argc, char** argv) {
  std::signal(SIGINT, [](int) { fontprobe::interrupted = 1; });
  try {
    return fontprobe::Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const fontprobe::PlatformError& error) {
    return fontprobe::Fail(fontprobe::kNotSent,
                           "fontprobe: " + fontprobe::ToUtf8(error.message()) + ".");
  }
}
