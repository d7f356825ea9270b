#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fonts/PrinterLanguage.h"
#include "printing/TestPage.h"

namespace fontprobe {

// The usage of every command, and the help of all of them.
std::string UsageText();
std::string HelpText();

std::optional<PrinterFamily> FamilyNamed(const std::string& name);

// How long a command may wait on servers and printers, all told, unless the
// user gives --timeout: printing and following a job takes longer than asking.
inline constexpr double kPrintSeconds = 60;
inline constexpr double kAskSeconds = 15;

struct ListRequest {
  double timeoutSeconds = kAskSeconds;
  bool json = false;
};

struct PrintRequest {
  PrinterFamily family = PrinterFamily::Pcl;
  std::optional<std::string> printer;  // a CUPS queue
  std::optional<std::string> uri;      // or a printer's own address
  double timeoutSeconds = kPrintSeconds;
  bool wait = true;
  bool json = false;  // check: one JSON object
};

struct ReadRequest {
  std::vector<std::string> files;  // "-" is standard input
  bool json = false;
  std::optional<std::string> annotatePrefix;
};

struct FontsRequest {
  std::optional<std::string> printer;  // a CUPS queue
  std::optional<std::string> uri;      // or a printer's raw port, socket://HOST[:PORT]
  std::optional<PrinterLanguage> language;
  double timeoutSeconds = kAskSeconds;
  bool all = false;  // every font, not only the OCR-B ones
  bool json = false;
};

// A command line taken apart: the command and its request, the help to show,
// or the problem with it.
struct Command {
  std::string name;
  std::optional<std::string> problem;  // a usage error, in words
  std::optional<std::string> help;     // --help or -h: what to print
  ListRequest list;
  PrinterFamily page = PrinterFamily::Pcl;
  PrintRequest print;
  ReadRequest read;
  FontsRequest fonts;
};
Command ParseCommandLine(const std::vector<std::string>& args);

// The problem and the usage text on standard error; the usage status.
int Usage(const std::string& problem);

}  // namespace fontprobe
