#include "platform/cups/IppPrinter.h"

#include "platform/PlatformError.h"
#include "platform/cups/DeviceUri.h"
#include "platform/cups/IppAnswer.h"
#include "platform/cups/Utf8.h"
#include "platform/cups/Waits.h"

namespace fontprobe {
namespace {

IppMessage Request(ipp_op_t operation, const std::string& uri) {
  IppMessage request(ippNewRequest(operation), &ippDelete);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  return request;
}

bool Answered(const IppMessage& answer) {
  return answer && cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

DeviceUri PrinterAddress(const std::string& uri) {
  std::string problem;
  const auto address = SplitDeviceUri(uri, problem);
  if (!address || address->scheme == "socket") {
    throw PlatformError(FromUtf8(uri + ": not a printer address"));
  }
  return *address;
}

}  // namespace

IppPrinter::IppPrinter(const std::string& uri, const Deadline& deadline)
    : uri_(uri),
      deadline_(deadline),
      dest_(cupsGetDestWithURI(nullptr, uri.c_str())),
      address_(PrinterAddress(uri)),
      // The device itself, never a temporary queue of the local cupsd.
      http_(ConnectWithin(deadline)) {
  if (!dest_) throw PlatformError(FromUtf8(uri_ + ": not a printer address"));
}

Connection IppPrinter::ConnectWithin(const Deadline& deadline) const {
  return Connection(
      address_.host, address_.port,
      address_.scheme == "ipps" ? HTTP_ENCRYPTION_ALWAYS : HTTP_ENCRYPTION_IF_REQUESTED, deadline,
      "the printer at " + uri_);
}

void IppPrinter::Throw(const std::string& whatFailed) const {
  throw PlatformError(FromUtf8(uri_ + ": " + whatFailed + ": " +
                               FailureWords(deadline_, http_.get(), "the printer")));
}

PrinterDescription IppPrinter::Describe() {
  IppMessage request = Request(IPP_OP_GET_PRINTER_ATTRIBUTES, uri_);
  ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(std::size(kDescriptionAttributes)), nullptr,
                kDescriptionAttributes);
  const IppMessage answer(cupsDoRequest(http_.get(), request.release(), address_.resource.c_str()),
                          &ippDelete);
  if (!Answered(answer)) Throw("the printer did not tell its attributes");
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

bool IppPrinter::Cancel(int job) {
  const Deadline cancelling = deadline_.Grace();
  try {
    const Connection http = ConnectWithin(cancelling);
    return Succeeded(http.get(), cupsCancelDestJob(http.get(), dest_.get(), job));
  } catch (const PlatformError&) {
    return false;
  }
}

int IppPrinter::Print(std::string_view page, const std::string& format, const std::string& title) {
  Info();
  int job = 0;
  if (!Succeeded(http_.get(), cupsCreateDestJob(http_.get(), dest_.get(), info_.get(), &job,
                                                title.c_str(), 0, nullptr))) {
    Throw("the printer refused the job");
  }
  const bool started =
      cupsStartDestDocument(http_.get(), dest_.get(), info_.get(), job, title.c_str(),
                            format.c_str(), 0, nullptr, 1) == HTTP_STATUS_CONTINUE;
  const bool written = started && cupsWriteRequestData(http_.get(), page.data(), page.size()) ==
                                      HTTP_STATUS_CONTINUE;
  // A printer may take the bytes and refuse them only here, in its answer.
  if (started &&
      Succeeded(http_.get(), cupsFinishDestDocument(http_.get(), dest_.get(), info_.get())) &&
      written) {
    return job;
  }
  const bool stopped = deadline_.Stopped();
  const std::string words = stopped ? "" : FailureWords(deadline_, http_.get(), "the printer");
  const std::string cancellation =
      CancelWords(job, Cancel(job), "cancel it on the printer's panel or web page");
  if (stopped) throw Stopped{cancellation};
  throw PlatformError(FromUtf8(uri_ + ": the page was not taken: " + words + "; " + cancellation));
}

std::optional<CupsJobStatus> IppPrinter::Job(int id) {
  IppMessage request = Request(IPP_OP_GET_JOB_ATTRIBUTES, uri_);
  ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", id);
  const char* wanted[] = {"job-state", "job-state-reasons", "job-printer-state-message",
                          "job-state-message"};
  ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(std::size(wanted)), nullptr, wanted);
  const IppMessage answer(cupsDoRequest(http_.get(), request.release(), address_.resource.c_str()),
                          &ippDelete);
  if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND &&
      httpGetStatus(http_.get()) == HTTP_STATUS_OK) {
    return std::nullopt;
  }
  if (!Answered(answer)) Throw("the printer could not tell the state of job " + std::to_string(id));
  return JobInAnswer(answer.get());
}

CupsPrinter IppPrinter::State() { return Describe().state; }

}  // namespace fontprobe
