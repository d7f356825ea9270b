#include "platform/cups/CupsServer.h"

#include <cstdlib>
#include <memory>

#include "platform/PlatformError.h"
#include "platform/cups/IppAnswer.h"
#include "platform/cups/Utf8.h"
#include "platform/cups/Waits.h"

namespace fontprobe {
namespace {

std::string PrinterUri(const std::string& printer) {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                   "/printers/%s", printer.c_str());
  return uri;
}

// A request for `attributes` of the printer, or of one of its jobs when `job` is given.
ipp_t* Question(ipp_op_t operation, const std::string& printer,
                const std::vector<const char*>& attributes, int job = 0) {
  ipp_t* request = ippNewRequest(operation);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
               PrinterUri(printer).c_str());
  if (job) ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(attributes.size()), nullptr, attributes.data());
  return request;
}

bool Answered(const IppMessage& response) {
  return response && cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

}  // namespace

CupsServer::CupsServer(const Deadline& deadline)
    : deadline_(deadline),
      name_(cupsServer()),
      http_(ConnectWithin(deadline, " (is CUPS running there? CUPS_SERVER names another)")) {}

Connection CupsServer::ConnectWithin(const Deadline& deadline, const std::string& hint) const {
  return Connection(name_, ippPort(), cupsEncryption(), deadline, "the print server " + name_,
                    hint);
}

void CupsServer::Throw(const std::string& whatFailed) const {
  throw PlatformError(FromUtf8(whatFailed + ": " +
                               FailureWords(deadline_, http_.get(), "the print server " + name_)));
}

// A server with no printers answers "not found"; anything else is a failure.
void CupsServer::ThrowIfListingFailed() const {
  if (!Succeeded(http_.get(), cupsLastError()) && !AnsweredNotFound()) {
    Throw("CUPS could not list the printers");
  }
}

bool CupsServer::AnsweredNotFound() const {
  return cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND &&
         httpGetStatus(http_.get()) == HTTP_STATUS_OK;
}

std::vector<CupsPrinter> CupsServer::Printers() {
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(http_.get(), &dests);
  if (count == 0) ThrowIfListingFailed();
  std::vector<CupsPrinter> printers;
  for (int i = 0; i < count; ++i) {
    const cups_dest_t& dest = dests[i];
    if (dest.instance) continue;
    const char* state = cupsGetOption("printer-state", dest.num_options, dest.options);
    printers.push_back({dest.name,
                        dest.is_default != 0,
                        static_cast<PrinterState>(state ? std::atoi(state) : 3),
                        {}});
  }
  cupsFreeDests(count, dests);
  return printers;
}

std::vector<std::string> CupsServer::PrinterNames() {
  ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
               "printer-name");
  const IppMessage response(cupsDoRequest(http_.get(), request, "/"), &ippDelete);
  ThrowIfListingFailed();
  std::vector<std::string> names;
  for (ipp_attribute_t* attribute = ippFindAttribute(response.get(), "printer-name", IPP_TAG_NAME);
       attribute; attribute = ippFindNextAttribute(response.get(), "printer-name", IPP_TAG_NAME)) {
    names.emplace_back(ippGetString(attribute, 0, nullptr));
  }
  return names;
}

std::optional<std::string> CupsServer::DefaultPrinter() {
  cups_dest_t* dest = cupsGetNamedDest(http_.get(), nullptr, nullptr);
  // "Not found" is no default printer; a server that did not answer is no answer.
  if (!dest && !AnsweredNotFound() && !Succeeded(http_.get(), cupsLastError())) {
    Throw("CUPS could not tell the default printer");
  }
  if (!dest) return std::nullopt;
  std::string name = dest->name;
  cupsFreeDests(1, dest);
  return name;
}

CupsPrinter CupsServer::Printer(const std::string& name) {
  const IppMessage response(cupsDoRequest(http_.get(),
                                          Question(IPP_OP_GET_PRINTER_ATTRIBUTES, name,
                                                   {"printer-state", "printer-state-message"}),
                                          "/"),
                            &ippDelete);
  if (!Answered(response)) Throw("CUPS could not tell the state of " + name);
  return PrinterInAnswer(name, response.get());
}

PrinterDescription CupsServer::Describe(const std::string& name) {
  const IppMessage response(
      cupsDoRequest(http_.get(),
                    Question(IPP_OP_GET_PRINTER_ATTRIBUTES, name,
                             std::vector<const char*>(std::begin(kDescriptionAttributes),
                                                      std::end(kDescriptionAttributes))),
                    "/"),
      &ippDelete);
  if (!Answered(response)) Throw("CUPS could not tell what " + name + " is");
  return DescriptionInAnswer(name, response.get());
}

std::optional<CupsJobStatus> CupsServer::Job(const std::string& printer, int id) {
  const IppMessage response(
      cupsDoRequest(http_.get(),
                    Question(IPP_OP_GET_JOB_ATTRIBUTES, printer,
                             {"job-state", "job-state-reasons", "job-printer-state-message",
                              "job-state-message"},
                             id),
                    "/"),
      &ippDelete);
  if (AnsweredNotFound()) return std::nullopt;
  if (!Answered(response)) Throw("CUPS could not tell the state of job " + std::to_string(id));
  return JobInAnswer(response.get());
}

}  // namespace fontprobe
