#include "cli/Arguments.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

#include "cli/Output.h"

namespace fontprobe {
namespace {

// An option of a command: its name, and the name of its value (none for a flag).
struct Option {
  const char* name;
  const char* value;
};

// A command as --help shows it and as its arguments are taken apart.
struct CommandForm {
  const char* name;
  const char* synopsis;
  const char* description;  // lines of at most 68 characters
  std::vector<Option> options;
};

const Option kTimeout{"--timeout", "SECONDS"};
const Option kJson{"--json", nullptr};
const Option kPrinter{"--printer", "NAME"};
const Option kUri{"--uri", "URI"};

const CommandForm kCommands[] = {
    {"list",
     "[--timeout SECONDS] [--json]",
     "the printers, one a line: NAME<TAB>idle|printing|stopped<TAB>default|-;\n"
     "--json gives one JSON object a printer",
     {kTimeout, kJson}},
    {"page", "epson|pcl", "the test page's bytes (a readable dump on a terminal)", {}},
    {"print",
     "epson|pcl [--printer NAME | --uri URI] [--timeout SECONDS] [--no-wait]",
     "sends the page as one raw job titled \"Command Print\" to NAME or the\n"
     "default printer and follows the job until it has printed or, with\n"
     "--no-wait, until CUPS has accepted it; --uri sends it with no queue to\n"
     "ipp://HOST/PATH, ipps://... or socket://HOST[:PORT] (a raw TCP port,\n"
     "9100 by default)",
     {kPrinter, kUri, kTimeout, {"--no-wait", nullptr}}},
    {"check",
     "[--printer NAME | --uri URI] [--timeout SECONDS] [--json]",
     "whether a raw test page can reach NAME, URI or the default printer\n"
     "(for a queue to an IPP printer, the printer is asked too); --json\n"
     "gives one JSON object",
     {kPrinter, kUri, kTimeout, kJson}},
    {"fonts",
     "[--printer NAME | --uri socket://HOST[:PORT]] [--language postscript|pcl]\n"
     "       [--timeout SECONDS] [--all] [--json]",
     "asks the printer behind NAME, the default printer or a raw port whether\n"
     "OCR-B is among its resident fonts, in PostScript or PCL; nothing is\n"
     "sent until its language is known (--language, its device ID, or PJL\n"
     "where the device ID names it); --all lists every font, --json gives\n"
     "one JSON object",
     {kPrinter,
      {"--uri", "socket://HOST[:PORT]"},
      {"--language", "postscript|pcl"},
      kTimeout,
      {"--all", nullptr},
      kJson}},
    {"read",
     "FILE... [--json] [--annotate PREFIX]",
     "reads scans or photos of the printed page (PNG, JPEG, TIFF, PDF; - for\n"
     "standard input) and says which sequence printed OCR-B; --json gives one\n"
     "JSON object a page, --annotate writes PREFIX-1.png, ... showing why",
     {kJson, {"--annotate", "PREFIX"}}},
};

const char kIntroduction[] =
    "Fontprobe tells whether a printer prints OCR-B from its own fonts: it sends a raw\n"
    "test page whose lines of the digit 3 come out flat-topped in OCR-B, or asks the\n"
    "printer for its resident fonts.\n\n";

const char kWaitingAndStatuses[] =
    "--timeout bounds all the waiting of list, check, print and fonts, connecting\n"
    "included: 60 s for print, 15 s for the others. Ctrl-C stops at any moment.\n\n"
    "Exit status: 0 printed (or accepted; check: can print; read: a sequence printed\n"
    "OCR-B; fonts: OCR-B is resident), 1 usage, 2 no such printer, 3 not sent\n"
    "(check: cannot print), 4 ended without printing, 5 still waiting when the time\n"
    "ran out, 6 read, and no sequence printed OCR-B (fonts: fonts were listed and\n"
    "none is OCR-B), 7 no page could be read, 8 delivered, but the printer no longer\n"
    "knows the job: its end is unknown, 9 read, and no sequence was seen to print\n"
    "OCR-B, but not every block could be judged (undecided), 10 fonts: the printer\n"
    "could not be asked (a one-way connection, its language unknown, no answer, an\n"
    "answer that is no font list), 130 stopped by Ctrl-C.\n";

// `text` with `indent` before each line but the first.
std::string Indented(const std::string& text, const std::string& indent) {
  std::string out;
  for (const char c : text) out += c == '\n' ? "\n" + indent : std::string(1, c);
  return out;
}

const CommandForm* FormOf(const std::string& name) {
  for (const CommandForm& form : kCommands) {
    if (form.name == name) return &form;
  }
  return nullptr;
}

std::string CommandHelp(const CommandForm& form) {
  return "usage: fontprobe " + std::string(form.name) + " " + form.synopsis + "\n\n" + "  " +
         Indented(form.description, "  ") + "\n\n" + kWaitingAndStatuses;
}

// A command's arguments taken apart by its options.
struct Arguments {
  std::map<std::string, std::string> values;
  std::set<std::string> flags;
  std::vector<std::string> operands;
  bool help = false;
};

std::optional<std::string> Split(const CommandForm& form, const std::vector<std::string>& args,
                                 Arguments& split) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      split.help = true;
      continue;
    }
    const auto option = std::find_if(form.options.begin(), form.options.end(),
                                     [&](const Option& o) { return arg == o.name; });
    if (option == form.options.end()) {
      if (arg.size() > 1 && arg[0] == '-') return "unexpected '" + arg + "'";
      split.operands.push_back(arg);
    } else if (!option->value) {
      split.flags.insert(arg);
    } else if (i + 1 == args.size()) {
      return arg + " needs a value";
    } else {
      split.values[arg] = args[++i];
    }
  }
  return std::nullopt;
}

std::optional<std::string> Timeout(const Arguments& split, double& seconds) {
  const auto given = split.values.find("--timeout");
  if (given == split.values.end()) return std::nullopt;
  const std::string& value = given->second;
  char* end = nullptr;
  seconds = std::strtod(value.c_str(), &end);
  if (value.empty() || *end || !(seconds > 0) || seconds > 86400) {
    return "--timeout needs a number of seconds above 0, not '" + value + "'";
  }
  return std::nullopt;
}

std::optional<std::string> Printer(const Arguments& split, std::optional<std::string>& printer,
                                   std::optional<std::string>& uri) {
  if (split.values.count("--printer")) printer = split.values.at("--printer");
  if (split.values.count("--uri")) uri = split.values.at("--uri");
  if (printer && uri) return "--printer and --uri cannot go together";
  return std::nullopt;
}

// More operands than `most`: the first one too many.
std::optional<std::string> NoMoreThan(const Arguments& split, std::size_t most) {
  if (split.operands.size() <= most) return std::nullopt;
  return "unexpected '" + split.operands[most] + "'";
}

std::optional<std::string> Page(const Arguments& split, PrinterFamily& family,
                                const std::string& command) {
  if (split.operands.empty()) return command + " needs a page: epson or pcl";
  const auto named = FamilyNamed(split.operands[0]);
  if (!named) return "unknown page '" + split.operands[0] + "' (epson or pcl)";
  family = *named;
  return NoMoreThan(split, 1);
}

std::optional<std::string> Fonts(const Arguments& split, FontsRequest& request) {
  if (auto problem = Printer(split, request.printer, request.uri)) return problem;
  if (auto problem = Timeout(split, request.timeoutSeconds)) return problem;
  if (split.values.count("--language")) {
    request.language = LanguageNamed(split.values.at("--language"));
    if (!request.language) {
      return "unknown language '" + split.values.at("--language") + "' (postscript or pcl)";
    }
  }
  request.all = split.flags.count("--all") > 0;
  request.json = split.flags.count("--json") > 0;
  return NoMoreThan(split, 0);
}

std::optional<std::string> Read(const Arguments& split, ReadRequest& request) {
  request.files = split.operands;
  request.json = split.flags.count("--json") > 0;
  if (split.values.count("--annotate")) request.annotatePrefix = split.values.at("--annotate");
  if (request.files.empty()) return "read needs a picture file (or - for standard input)";
  if (std::count(request.files.begin(), request.files.end(), "-") > 1) {
    return "standard input (-) can be read only once";
  }
  return std::nullopt;
}

// The request of the command from its arguments; the problem with them, if any.
std::optional<std::string> Request(Command& command, const Arguments& split) {
  const std::string& name = command.name;
  const bool json = split.flags.count("--json") > 0;
  if (name == "list") {
    command.list.json = json;
    if (auto problem = Timeout(split, command.list.timeoutSeconds)) return problem;
    return NoMoreThan(split, 0);
  }
  if (name == "page") {
    if (split.operands.size() != 1) return "page needs one page name: epson or pcl";
    return Page(split, command.page, name);
  }
  if (name == "print" || name == "check") {
    PrintRequest& request = command.print;
    request.timeoutSeconds = name == "print" ? kPrintSeconds : kAskSeconds;
    request.wait = split.flags.count("--no-wait") == 0;
    request.json = json;
    if (auto problem = name == "print" ? Page(split, request.family, name) : NoMoreThan(split, 0)) {
      return problem;
    }
    if (auto problem = Printer(split, request.printer, request.uri)) return problem;
    return Timeout(split, request.timeoutSeconds);
  }
  if (name == "fonts") return Fonts(split, command.fonts);
  return Read(split, command.read);
}

}  // namespace

std::string UsageText() {
  std::string usage;
  for (const CommandForm& form : kCommands) {
    usage += (usage.empty() ? "usage: " : "       ") + std::string("fontprobe ") + form.name + " " +
             Indented(form.synopsis, "  ") + "\n";
  }
  return usage;
}

std::string HelpText() {
  std::string help = kIntroduction;
  for (const CommandForm& form : kCommands) {
    std::string name = std::string("  ") + form.name;
    name.resize(10, ' ');
    help += name + Indented(form.description, std::string(10, ' ')) + "\n";
  }
  return help + "\n" + kWaitingAndStatuses;
}

std::optional<PrinterFamily> FamilyNamed(const std::string& name) {
  if (name == "epson") return PrinterFamily::EpsonIbm;
  if (name == "pcl") return PrinterFamily::Pcl;
  return std::nullopt;
}

Command ParseCommandLine(const std::vector<std::string>& args) {
  Command command;
  if (args.empty()) {
    command.problem = "a command is needed";
    return command;
  }
  command.name = args[0];
  if (command.name == "--help" || command.name == "-h") {
    command.help = UsageText() + "\n" + HelpText();
    return command;
  }
  const CommandForm* form = FormOf(command.name);
  if (!form) {
    if (command.name != "--version") command.problem = "unknown command '" + command.name + "'";
    return command;
  }
  Arguments split;
  command.problem = Split(*form, {args.begin() + 1, args.end()}, split);
  if (split.help) {
    command.problem.reset();
    command.help = CommandHelp(*form);
    return command;
  }
  if (!command.problem) command.problem = Request(command, split);
  return command;
}

int Usage(const std::string& problem) {
  std::fprintf(stderr, "fontprobe: %s\n%s", Printable(problem).c_str(), UsageText().c_str());
  return kUsage;
}

}  // namespace fontprobe
