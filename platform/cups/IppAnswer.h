#pragma once

#include <cups/cups.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/cups/CupsServer.h"

namespace fontprobe {

using IppMessage = std::unique_ptr<ipp_t, decltype(&ippDelete)>;

// The values of one attribute of an IPP answer: as one comma-separated text
// (without IPP's "none"), as a list, or the first as a number.
std::string Text(ipp_t* answer, const char* name);
std::vector<std::string> Strings(ipp_t* answer, const char* name);
int Number(ipp_t* answer, const char* name, int fallback);

// What an answer (Get-Printer-Attributes, Get-Job-Attributes) tells of a
// printer's or a job's state; what it lacks takes IPP's starting values.
CupsPrinter PrinterInAnswer(const std::string& name, ipp_t* answer);
CupsJobStatus JobInAnswer(ipp_t* answer);
PrinterDescription DescriptionInAnswer(const std::string& name, ipp_t* answer);
// The attributes a description is made of.
inline constexpr const char* kDescriptionAttributes[] = {
    "printer-state",    "printer-state-message",     "printer-make-and-model",
    "device-uri",       "printer-is-accepting-jobs", "document-format-supported",
    "printer-device-id"};

}  // namespace fontprobe
