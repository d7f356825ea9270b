#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fonts/PrinterConnection.h"
#include "fonts/PrinterLanguage.h"
#include "fonts/ResidentFont.h"

namespace fontprobe {

// What is known of a printer before anything is sent to it.
struct FontQuestion {
  std::optional<PrinterLanguage> language;  // named by the user
  std::optional<std::string> deviceId;      // its IEEE 1284 device ID, where it gave one
  std::string within;                       // the time allowed, in words: "15 s"
};

// A new connection to the printer's raw port for each question.
using ConnectToPrinter = std::function<std::unique_ptr<PrinterConnection>()>;

struct FontAnswer {
  bool listed = false;                      // the printer gave its whole font list
  std::optional<PrinterLanguage> language;  // the one asked in; for a list, the one that answered
  std::string languageSource;               // how it was known: "--language", "device ID", "PJL"
  std::vector<ResidentFont> fonts;          // the list; or those before a broken answer
  bool sent = false;                        // whether anything at all went to the printer
  std::string problem;                      // why there is no list, in words
};

// Asks the printer for its resident fonts, in a language it is known to
// speak: the one the user named; else those its device ID's command set
// names; else, where the device ID says it speaks PJL, those its PJL
// configuration lists. Where none is known nothing at all is sent: a query in
// a language the printer does not speak can come out as a page of text.
FontAnswer AskResidentFonts(const FontQuestion& question, const ConnectToPrinter& connect);

}  // namespace fontprobe
