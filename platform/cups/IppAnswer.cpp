#include "platform/cups/IppAnswer.h"

namespace fontprobe {

std::vector<std::string> Strings(ipp_t* answer, const char* name) {
  ipp_attribute_t* attribute = ippFindAttribute(answer, name, IPP_TAG_ZERO);
  std::vector<std::string> strings;
  for (int i = 0; attribute && i < ippGetCount(attribute); ++i) {
    if (const char* value = ippGetString(attribute, i, nullptr)) strings.emplace_back(value);
  }
  return strings;
}

std::string Text(ipp_t* answer, const char* name) {
  std::string text;
  for (const std::string& value : Strings(answer, name)) {
    // "none" is IPP's word for no reasons at all.
    if (value != "none") text += (text.empty() ? "" : ", ") + value;
  }
  return text;
}

int Number(ipp_t* answer, const char* name, int fallback) {
  ipp_attribute_t* attribute = ippFindAttribute(answer, name, IPP_TAG_ZERO);
  return attribute ? ippGetInteger(attribute, 0) : fallback;
}

CupsPrinter PrinterInAnswer(const std::string& name, ipp_t* answer) {
  return {name, false, static_cast<PrinterState>(Number(answer, "printer-state", 3)),
          Text(answer, "printer-state-message")};
}

CupsJobStatus JobInAnswer(ipp_t* answer) {
  // CUPS keeps what the printer said in job-printer-state-message; a printer
  // says it of its own job in job-state-message.
  std::string message = Text(answer, "job-printer-state-message");
  if (message.empty()) message = Text(answer, "job-state-message");
  const auto first = message.find_first_not_of(' ');
  return {static_cast<JobState>(Number(answer, "job-state", 3)), Text(answer, "job-state-reasons"),
          first == std::string::npos ? "" : message.substr(first)};
}

PrinterDescription DescriptionInAnswer(const std::string& name, ipp_t* answer) {
  ipp_attribute_t* accepting =
      ippFindAttribute(answer, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
  return {PrinterInAnswer(name, answer),
          Text(answer, "printer-make-and-model"),
          Text(answer, "device-uri"),
          !accepting || ippGetBoolean(accepting, 0),
          Strings(answer, "document-format-supported"),
          Text(answer, "printer-device-id")};
}

}  // namespace fontprobe
