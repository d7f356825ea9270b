#include "cli/Output.h"

#include <cmath>
#include <cstdio>

#include "platform/cups/Utf8.h"

namespace fontprobe {

std::string Printable(std::string_view outside) {
  std::string out;
  out.reserve(outside.size());
  for (std::size_t i = 0; i < outside.size();) {
    const Utf8Character character = ReadUtf8(outside, i);
    i += character.length;
    const char32_t c = character.code;
    char escape[8];
    if (c == '\t' || c == '\n' || c == '\r') {
      out += c == '\t' ? "\\t" : c == '\n' ? "\\n" : "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned>(c));
      out += escape;
    } else if (c >= 0x80 && c < 0xA0) {
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

std::string JsonLine(const Json& value) {
  const std::string dumped = value.dump(-1, ' ', false, Json::error_handler_t::replace);
  // The library escapes C0 controls; DEL and C1 controls, which it leaves
  // raw, can stand only inside strings, so they are escaped here.
  std::string line;
  for (std::size_t i = 0; i < dumped.size(); ++i) {
    const auto byte = static_cast<unsigned char>(dumped[i]);
    const unsigned next = i + 1 < dumped.size() ? static_cast<unsigned char>(dumped[i + 1]) : 0u;
    if (byte == 0x7F || (byte == 0xC2 && next >= 0x80 && next < 0xA0)) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte == 0x7F ? 0x7Fu : next);
      line += escape;
      i += byte == 0xC2;
    } else {
      line += dumped[i];
    }
  }
  return line;
}

double Rounded(double value) { return std::round(value * 1000) / 1000; }

void Say(const std::string& line) { std::printf("%s\n", Printable(line).c_str()); }

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "%s\n", Printable(message).c_str());
  return status;
}

void SayColumns(const std::vector<std::string>& columns) {
  std::string line;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) line += '\t';
    line += Printable(columns[i]);
  }
  std::printf("%s\n", line.c_str());
}

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

const char* PageName(PrinterFamily family) {
  return family == PrinterFamily::Pcl ? "PCL" : "Epson FX / IBM Proprinter";
}

std::string FormatList(const std::vector<std::string>& formats) {
  std::string list;
  for (const std::string& format : formats) list += (list.empty() ? "" : ", ") + format;
  return list;
}

std::string Sentence(std::string text) {
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace fontprobe
