#include "platform/cups/IppPrinter.h"

#include "platform/PlatformError.h"
#include "platform/cups/IppAnswer.h"
#include "platform/cups/Utf8.h"

namespace fontprobe {
namespace {

constexpr int kConnectMilliseconds = 5000;

IppMessage Request(ipp_op_t operation, const std::string& uri) {
  IppMessage request(ippNewRequest(operation), &ippDelete);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  return request;
}

}  // namespace

IppPrinter::IppPrinter(const std::string& uri)
    : uri_(uri), dest_(cupsGetDestWithURI(nullptr, uri.c_str())) {
  if (!dest_) Throw("not a printer address");
  // The device itself: with the default connection libcups would have the
  // local cupsd make a temporary queue instead.
  http_.reset(cupsConnectDest(dest_.get(), CUPS_DEST_FLAGS_DEVICE, kConnectMilliseconds, nullptr,
                              resource_, sizeof resource_, nullptr, nullptr));
  if (!http_) Throw("cannot reach the printer");
}

void IppPrinter::Throw(const std::string& whatFailed) const {
  throw PlatformError(FromUtf8(uri_ + ": " + whatFailed + ": " + cupsLastErrorString()));
}

PrinterDescription IppPrinter::Describe() {
  IppMessage request = Request(IPP_OP_GET_PRINTER_ATTRIBUTES, uri_);
  ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(std::size(kDescriptionAttributes)), nullptr,
                kDescriptionAttributes);
  const IppMessage answer(cupsDoRequest(http_.get(), request.release(), resource_), &ippDelete);
  if (!answer || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
    Throw("the printer did not tell its attributes");
  }
  return DescriptionInAnswer(uri_, answer.get());
}

cups_dinfo_t* IppPrinter::Info() {
  if (!info_) info_.reset(cupsCopyDestInfo(http_.get(), dest_.get()));
  if (!info_) Throw("the printer did not tell what it supports");
  return info_.get();
}

std::vector<std::string> IppPrinter::Formats() {
  ipp_attribute_t* formats =
      cupsFindDestSupported(http_.get(), dest_.get(), Info(), "document-format");
  std::vector<std::string> listed;
  for (int i = 0; formats && i < ippGetCount(formats); ++i) {
    if (const char* format = ippGetString(formats, i, nullptr)) listed.emplace_back(format);
  }
  return listed;
}

int IppPrinter::Print(std::string_view page, const std::string& format, const std::string& title) {
  Info();
  int job = 0;
  if (cupsCreateDestJob(http_.get(), dest_.get(), info_.get(), &job, title.c_str(), 0, nullptr) >
      IPP_STATUS_OK_EVENTS_COMPLETE) {
    Throw("the printer refused the job");
  }
  const bool started =
      cupsStartDestDocument(http_.get(), dest_.get(), info_.get(), job, title.c_str(),
                            format.c_str(), 0, nullptr, 1) == HTTP_STATUS_CONTINUE;
  const bool written = started && cupsWriteRequestData(http_.get(), page.data(), page.size()) ==
                                      HTTP_STATUS_CONTINUE;
  // A printer may take the bytes and refuse them only here, in its answer.
  if (!started ||
      cupsFinishDestDocument(http_.get(), dest_.get(), info_.get()) >
          IPP_STATUS_OK_EVENTS_COMPLETE ||
      !written) {
    std::string words = cupsLastErrorString();
    while (!words.empty() && words.back() == '.') words.pop_back();
    cupsCancelDestJob(http_.get(), dest_.get(), job);
    throw PlatformError(
        FromUtf8(uri_ + ": the printer refused the page: " + words + "; the job was cancelled"));
  }
  return job;
}

CupsJobStatus IppPrinter::Job(int id) {
  IppMessage request = Request(IPP_OP_GET_JOB_ATTRIBUTES, uri_);
  ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", id);
  const char* wanted[] = {"job-state", "job-state-reasons", "job-printer-state-message",
                          "job-state-message"};
  ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(std::size(wanted)), nullptr, wanted);
  const IppMessage answer(cupsDoRequest(http_.get(), request.release(), resource_), &ippDelete);
  if (!answer || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
    Throw("the printer could not tell the state of job " + std::to_string(id));
  }
  return JobInAnswer(answer.get());
}

CupsPrinter IppPrinter::State() { return Describe().state; }

}  // namespace fontprobe
