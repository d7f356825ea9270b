#pragma once

#include <optional>
#include <string>
#include <vector>

#include "printing/TestPage.h"

namespace fontprobe {

extern const char kUsageText[];
extern const char kHelpText[];

std::optional<PrinterFamily> FamilyNamed(const std::string& name);

struct PrintRequest {
  PrinterFamily family = PrinterFamily::Pcl;
  std::optional<std::string> printer;  // a CUPS queue
  std::optional<std::string> uri;      // or a printer's own address
  double timeoutSeconds = 60;
  bool wait = true;
};

struct ReadRequest {
  std::vector<std::string> files;  // "-" is standard input
  bool json = false;
  std::optional<std::string> annotatePrefix;
};

// Parse what follows "print" or "check"; a problem is returned as a usage message.
std::optional<std::string> ParsePrint(const std::vector<std::string>& args, PrintRequest& request);
std::optional<std::string> ParseCheck(const std::vector<std::string>& args, PrintRequest& request);
std::optional<std::string> ParseRead(const std::vector<std::string>& args, ReadRequest& request);

// The problem and the usage text on standard error; the usage status.
int Usage(const std::string& problem);

}  // namespace fontprobe
