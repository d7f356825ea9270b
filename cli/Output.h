#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <vector>

#include "platform/cups/CupsServer.h"
#include "printing/TestPage.h"

namespace fontprobe {

// Exit statuses, one for each way a command can end.
enum Status : int {
  kDone = 0,
  kUsage = 1,
  kNoSuchPrinter = 2,
  kNotSent = 3,
  kNotPrinted = 4,
  kStillWaiting = 5,
  kNoOcrB = 6,       // read: no sequence printed OCR-B; fonts: none of its fonts is OCR-B
  kNothingRead = 7,  // read: no page could be read
  kForgotten = 8,    // delivered, and the printer no longer knows the job
  kUndecided = 9,    // read: test pages were found, but not every block could be judged
  kNotAsked = 10,    // fonts: the printer could not be asked for its fonts
  kInterrupted = 130,
};

// The gate for text from outside the program (names, CUPS's and printers'
// messages, the user's own arguments) on its way to a terminal or a log: C0 and
// C1 controls and DEL become visible escapes such as \x1b, what is not UTF-8
// becomes U+FFFD, and every letter of every script stays as it is.
std::string Printable(std::string_view outside);

// A JSON value kept in the order it was built.
using Json = nlohmann::ordered_json;

// The same gate for JSON: the value as one line of JSON, every control
// character in its strings (DEL and C1 too) escaped and what is not UTF-8 as
// U+FFFD, letters of every script as they are.
std::string JsonLine(const Json& value);
// A figure as JSON shows it: to three places after the point.
double Rounded(double value);

// One line on standard output, or on standard error with the status to end
// with; the whole line passes the gate.
void Say(const std::string& line);
int Fail(int status, const std::string& message);
// One line of tab-separated columns, each through the gate, so that no column
// can hold a tab or a new line of its own.
void SayColumns(const std::vector<std::string>& columns);

// A test page for a terminal: control bytes in angle brackets, ESC as <ESC>,
// a new line after each <LF>.
std::string ReadableDump(const std::string& page);

const char* PrinterStateName(PrinterState state);
// The test page as the user knows it: "PCL" or "Epson FX / IBM Proprinter".
const char* PageName(PrinterFamily family);
// A list of document formats, comma-separated; empty for none.
std::string FormatList(const std::vector<std::string>& formats);
// CUPS's own sentences, without the full stop that Fontprobe's sentence adds.
std::string Sentence(std::string text);

}  // namespace fontprobe
