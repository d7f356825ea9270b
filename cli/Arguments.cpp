#include "cli/Arguments.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "cli/Output.h"

namespace fontprobe {

const char kUsageText[] =
    "usage: fontprobe list [--timeout SECONDS]\n"
    "       fontprobe page epson|pcl\n"
    "       fontprobe print epson|pcl [--printer NAME | --uri URI] [--timeout SECONDS] "
    "[--no-wait]\n"
    "       fontprobe check [--printer NAME | --uri URI] [--timeout SECONDS]\n"
    "       fontprobe read FILE... [--json] [--annotate PREFIX]\n";

const char kHelpText[] =
    "Fontprobe tells whether a printer prints OCR-B from its own fonts: it sends a raw\n"
    "test page whose lines of the digit 3 come out flat-topped in OCR-B.\n\n"
    "  list    the printers, one a line: NAME<TAB>idle|printing|stopped<TAB>default|-\n"
    "  page    the test page's bytes (a readable dump on a terminal)\n"
    "  print   sends the page as one raw job titled \"Command Print\" to NAME or the\n"
    "          default printer and follows the job until it has printed or, with\n"
    "          --no-wait, until CUPS has accepted it; --uri sends it with no queue to\n"
    "          ipp://HOST/PATH, ipps://... or socket://HOST[:PORT] (a raw TCP port,\n"
    "          9100 by default)\n"
    "  check   whether a raw test page can reach NAME, URI or the default printer\n"
    "          (for a queue to an IPP printer, the printer is asked too)\n"
    "  read    reads scans or photos of the printed page (PNG, JPEG, TIFF, PDF; - for\n"
    "          standard input) and says which sequence printed OCR-B; --json gives one\n"
    "          JSON object a page, --annotate writes PREFIX-1.png, ... showing why\n\n"
    "--timeout bounds all the waiting of list, check and print, connecting included:\n"
    "15 s for list and check, 60 s for print. Ctrl-C stops at any moment.\n\n"
    "Exit status: 0 printed (or accepted; check: can print; read: a sequence printed\n"
    "OCR-B), 1 usage, 2 no such printer, 3 not sent (check: cannot print),\n"
    "4 ended without printing, 5 still waiting when the time ran out,\n"
    "6 read, and no sequence printed OCR-B, 7 no page could be read,\n"
    "8 delivered, but the printer no longer knows the job: its end is unknown,\n"
    "9 read: no sequence seen to print OCR-B, but not every block judged (undecided),\n"
    "130 stopped by Ctrl-C.\n";

std::optional<PrinterFamily> FamilyNamed(const std::string& name) {
  if (name == "epson") return PrinterFamily::EpsonIbm;
  if (name == "pcl") return PrinterFamily::Pcl;
  return std::nullopt;
}

namespace {

// --timeout SECONDS at args[i]: true when it was (i is then on its value), with
// `problem` set when it was wrong.
bool ParseTimeout(const std::vector<std::string>& args, std::size_t& i, double& seconds,
                  std::optional<std::string>& problem) {
  if (args[i] != "--timeout") return false;
  if (i + 1 == args.size()) return problem = "--timeout needs a value", true;
  const std::string& value = args[++i];
  char* end = nullptr;
  seconds = std::strtod(value.c_str(), &end);
  if (value.empty() || *end || !(seconds > 0) || seconds > 86400) {
    problem = "--timeout needs a number of seconds above 0, not '" + value + "'";
  }
  return true;
}

// One of the options both print and check take, at args[i]: true when it was
// one (i is then on its value), with `problem` set when it was wrong.
bool ParsePrinterOption(const std::vector<std::string>& args, std::size_t& i, PrintRequest& request,
                        std::optional<std::string>& problem) {
  const std::string& arg = args[i];
  if (arg != "--printer" && arg != "--uri") return false;
  if (i + 1 == args.size()) return problem = arg + " needs a value", true;
  (arg == "--printer" ? request.printer : request.uri) = args[++i];
  if (request.printer && request.uri) problem = "--printer and --uri cannot go together";
  return true;
}

}  // namespace

std::optional<std::string> ParsePrint(const std::vector<std::string>& args, PrintRequest& request) {
  if (args.empty()) return "print needs a page: epson or pcl";
  const auto family = FamilyNamed(args[0]);
  if (!family) return "unknown page '" + args[0] + "' (epson or pcl)";
  request.family = *family;
  std::optional<std::string> problem;
  for (std::size_t i = 1; i < args.size() && !problem; ++i) {
    const std::string& arg = args[i];
    if (ParsePrinterOption(args, i, request, problem)) continue;
    if (ParseTimeout(args, i, request.timeoutSeconds, problem)) continue;
    if (arg == "--no-wait") {
      request.wait = false;
    } else {
      return "unexpected '" + arg + "'";
    }
  }
  return problem;
}

std::optional<std::string> ParseCheck(const std::vector<std::string>& args, PrintRequest& request) {
  request.timeoutSeconds = kAskSeconds;
  std::optional<std::string> problem;
  for (std::size_t i = 0; i < args.size() && !problem; ++i) {
    if (!ParsePrinterOption(args, i, request, problem) &&
        !ParseTimeout(args, i, request.timeoutSeconds, problem)) {
      return "unexpected '" + args[i] + "'";
    }
  }
  return problem;
}

std::optional<std::string> ParseList(const std::vector<std::string>& args, double& timeoutSeconds) {
  timeoutSeconds = kAskSeconds;
  std::optional<std::string> problem;
  for (std::size_t i = 0; i < args.size() && !problem; ++i) {
    if (!ParseTimeout(args, i, timeoutSeconds, problem)) return "unexpected '" + args[i] + "'";
  }
  return problem;
}

std::optional<std::string> ParseRead(const std::vector<std::string>& args, ReadRequest& request) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--json") {
      request.json = true;
    } else if (arg == "--annotate") {
      if (i + 1 == args.size()) return arg + " needs a value";
      request.annotatePrefix = args[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      return "unexpected '" + arg + "'";
    } else {
      request.files.push_back(arg);
    }
  }
  if (request.files.empty()) return "read needs a picture file (or - for standard input)";
  if (std::count(request.files.begin(), request.files.end(), "-") > 1) {
    return "standard input (-) can be read only once";
  }
  return std::nullopt;
}

int Usage(const std::string& problem) {
  std::fprintf(stderr, "fontprobe: %s\n%s", Printable(problem).c_str(), kUsageText);
  return kUsage;
}

}  // namespace fontprobe
