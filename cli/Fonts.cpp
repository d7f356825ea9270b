#include "cli/Fonts.h"

#include <cstdio>
#include <memory>

#include "cli/Interrupt.h"
#include "cli/Output.h"
#include "cli/QueueChoice.h"
#include "fonts/FontInquiry.h"
#include "platform/PlatformError.h"
#include "platform/cups/CupsServer.h"
#include "platform/cups/DeviceUri.h"
#include "platform/cups/Utf8.h"
#include "platform/socket/RawSocketConnection.h"

namespace fontprobe {
namespace {

// The printer to ask: its name as the user knows it, its device and, for a
// raw port, where to reach it.
struct Target {
  std::string printer;  // the queue, or the address
  std::string device;   // the address its pages go to
  std::optional<DeviceUri> rawPort;
  std::optional<std::string> deviceId;
};

// How a printer's answer is told: as lines of text or as one JSON object.
class FontsReport {
 public:
  FontsReport(const FontsRequest& request, const Target& target)
      : request_(request), target_(target) {}

  int Listed(const FontAnswer& answer) {
    std::vector<const ResidentFont*> ocrB;
    for (const ResidentFont& font : answer.fonts) {
      if (font.ocrB) ocrB.push_back(&font);
    }
    const int status = ocrB.empty() ? kNoOcrB : kDone;
    if (request_.json) {
      Json json = Common(answer);
      json["ocr_b"] = !ocrB.empty();
      json["ocr_b_fonts"] = Json::array();
      for (const ResidentFont* font : ocrB) json["ocr_b_fonts"].push_back(JsonFont(*font));
      json["font_count"] = answer.fonts.size();
      json["fonts"] = Json::array();
      for (const ResidentFont& font : answer.fonts) json["fonts"].push_back(JsonFont(font));
      std::printf("%s\n", JsonLine(json).c_str());
      return status;
    }
    SayFields(answer);
    SayColumns({"fonts:", std::to_string(answer.fonts.size())});
    for (const ResidentFont* font : ocrB) SayColumns({"OCR-B:", Shown(*font)});
    if (request_.all) {
      for (const ResidentFont& font : answer.fonts) {
        SayColumns({"font:", Shown(font), font.ocrB ? "OCR-B" : "-"});
      }
    }
    const std::string count = std::to_string(answer.fonts.size()) +
                              (answer.fonts.size() == 1 ? " resident font" : " resident fonts");
    if (answer.fonts.empty()) {
      Say(target_.printer + " lists no resident fonts, so none is OCR-B.");
    } else {
      Say(ocrB.empty() ? "None of the " + count + " of " + target_.printer + " is OCR-B."
                       : target_.printer + " holds OCR-B among its " + count + ".");
    }
    return status;
  }

  // The printer could not be asked: why, and what to do instead.
  int NotAsked(const FontAnswer& answer, const std::string& why, const std::string& instead) {
    if (request_.json) {
      Json json = Common(answer);
      json["problem"] = why;
      json["instead"] = instead;
      std::printf("%s\n", JsonLine(json).c_str());
      return kNotAsked;
    }
    SayFields(answer);
    std::fflush(stdout);
    return Fail(kNotAsked, "fontprobe: " + why + "." + (instead.empty() ? "" : " " + instead));
  }

 private:
  static std::string Shown(const ResidentFont& font) {
    if (font.name.empty()) return font.selection;
    return font.selection.empty() ? font.name : font.name + "  " + font.selection;
  }

  static Json JsonFont(const ResidentFont& font) {
    Json json{{"name", font.name}};
    if (!font.selection.empty()) json["selection"] = font.selection;
    return json;
  }

  Json Common(const FontAnswer& answer) const {
    Json json{{"printer", target_.printer}, {"device", target_.device}};
    json["device_id"] = target_.deviceId ? Json(*target_.deviceId) : Json(nullptr);
    json["language"] = answer.language
                           ? Json(answer.language == PrinterLanguage::Pcl ? "pcl" : "postscript")
                           : Json(nullptr);
    json["language_from"] =
        answer.languageSource.empty() ? Json(nullptr) : Json(answer.languageSource);
    json["listed"] = answer.listed;
    json["sent"] = answer.sent;
    return json;
  }

  void SayFields(const FontAnswer& answer) const {
    SayColumns({"printer:", target_.printer});
    if (target_.device != target_.printer) SayColumns({"device:", target_.device});
    if (answer.language) {
      SayColumns({"language:", std::string(LanguageName(*answer.language)) + " (from " +
                                   LearntFrom(answer.languageSource) + ")"});
    }
  }

  static std::string LearntFrom(const std::string& source) {
    if (source == "--language") return source;
    return source == "PJL" ? "its PJL configuration" : "its " + source;
  }

  const FontsRequest& request_;
  const Target& target_;
};

std::string Scheme(const std::string& uri) {
  const auto colon = uri.find(':');
  return colon == std::string::npos ? "" : uri.substr(0, colon);
}

// What to do instead of asking a printer that cannot be asked.
std::string PrintInstead(const std::string& printer, bool queue) {
  return "Print the test page instead (fontprobe print pcl" +
         (queue ? " --printer " + printer : std::string()) +
         "), or give --uri socket://HOST if the printer has a raw port (9100).";
}

int Ask(const FontsRequest& request, const Target& target, const Deadline& deadline) {
  FontsReport report(request, target);
  if (!target.rawPort) {
    const bool queue = target.printer != target.device;
    return report.NotAsked({},
                           target.printer + " cannot be asked for its fonts: its connection (" +
                               Scheme(target.device) +
                               "://) carries no answer back from the printer's own language" +
                               (queue ? " (its device is " + target.device + ")" : ""),
                           PrintInstead(target.printer, queue));
  }
  const DeviceUri& port = *target.rawPort;
  const FontQuestion question{request.language, target.deviceId, deadline.Said()};
  FontAnswer answer;
  try {
    answer = AskResidentFonts(question, [&] {
      return std::make_unique<RawSocketConnection>(port.host, port.port, deadline);
    });
  } catch (const PlatformError& error) {
    answer.problem = Sentence(ToUtf8(error.message()));
    return report.NotAsked(
        answer, target.printer + " could not be asked for its fonts: " + answer.problem, "");
  }
  if (answer.listed) return report.Listed(answer);
  if (!answer.sent) {
    return report.NotAsked(answer, "nothing was sent to " + target.printer + ": " + answer.problem,
                           "Name its language with --language postscript or --language pcl if "
                           "you know it; else print the test page.");
  }
  return report.NotAsked(
      answer,
      target.printer + " could not be asked for its fonts" +
          (answer.language ? std::string(" in ") + LanguageName(*answer.language) : std::string()) +
          ": " + answer.problem,
      "");
}

// The queue's device, and how to reach it when it is a raw port.
std::optional<Target> QueueTarget(const std::optional<std::string>& named,
                                  const Deadline& deadline) {
  CupsServer server(deadline);
  const auto queue = ChooseQueue(server, named);
  if (!queue) return std::nullopt;
  const PrinterDescription description = server.Describe(*queue);
  // Without the options CUPS's backend reads after a '?'.
  const std::string device = description.deviceUri.substr(0, description.deviceUri.find('?'));
  Target target{*queue, device, std::nullopt, std::nullopt};
  if (!description.deviceId.empty()) target.deviceId = description.deviceId;
  std::string problem;
  if (Scheme(device) == "socket") target.rawPort = SplitDeviceUri(device, problem);
  return target;
}

}  // namespace

int Fonts(const FontsRequest& request) {
  const Deadline deadline(request.timeoutSeconds, &interrupted);
  if (!request.uri) {
    const auto target = QueueTarget(request.printer, deadline);
    return target ? Ask(request, *target, deadline) : kNoSuchPrinter;
  }
  Target target{*request.uri, *request.uri, std::nullopt, std::nullopt};
  if (Scheme(*request.uri).empty()) {
    return Usage("'" + *request.uri + "' is not a printer address (socket://HOST[:PORT])");
  }
  if (Scheme(*request.uri) == "socket") {
    std::string problem;
    target.rawPort = SplitDeviceUri(*request.uri, problem);
    if (!target.rawPort) return Usage(problem);
  }
  return Ask(request, target, deadline);
}

}  // namespace fontprobe
