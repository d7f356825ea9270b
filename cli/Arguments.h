#pragma once

#include <optional>
#include <string>
#include <vector>

#include "printing/TestPage.h"

namespace fontprobe {

extern const char kUsageText[];
extern const char kHelpText[];

std::optional<PrinterFamily> FamilyNamed(const std::string& name);

// How long a command may wait on servers and printers, all told, unless the
// user gives --timeout: printing and following a job takes longer than asking.
inline constexpr double kPrintSeconds = 60;
inline constexpr double kAskSeconds = 15;

struct PrintRequest {
  PrinterFamily family = PrinterFamily::Pcl;
  std::optional<std::string> printer;  // a CUPS queue
  std::optional<std::string> uri;      // or a printer's own address
  double timeoutSeconds = kPrintSeconds;
  bool wait = true;
};

struct ReadRequest {
  std::vector<std::string> files;  // "-" is standard input
  bool json = false;
  std::optional<std::string> annotatePrefix;
};

// Parse what follows "print", "check" or "list"; a problem is returned as a usage message.
std::optional<std::string> ParsePrint(const std::vector<std::string>& args, PrintRequest& request);
std::optional<std::string> ParseCheck(const std::vector<std::string>& args, PrintRequest& request);
std::optional<std::string> ParseList(const std::vector<std::string>& args, double& timeoutSeconds);
std::optional<std::string> ParseRead(const std::vector<std::string>& args, ReadRequest& request);

// The problem and the usage text on standard error; the usage status.
int Usage(const std::string& problem);

}  // namespace fontprobe
