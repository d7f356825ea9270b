// An IPP answer of any bytes, as a print server or a printer could send it,
// read by libcups and then turned into a printer's and a job's state.
#include <cups/ipp.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "cli/Output.h"
#include "platform/cups/IppAnswer.h"

namespace {

struct Bytes {
  const std::uint8_t* data;
  std::size_t left;
};

ssize_t ReadBytes(void* context, ipp_uchar_t* buffer, size_t wanted) {
  auto* bytes = static_cast<Bytes*>(context);
  const std::size_t count = wanted < bytes->left ? wanted : bytes->left;
  std::memcpy(buffer, bytes->data, count);
  bytes->data += count;
  bytes->left -= count;
  return static_cast<ssize_t>(count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes{data, size};
  std::unique_ptr<ipp_t, decltype(&ippDelete)> answer(ippNew(), &ippDelete);
  if (ippReadIO(&bytes, ReadBytes, 1, nullptr, answer.get()) != IPP_STATE_DATA) return 0;
  const fontprobe::CupsPrinter printer = fontprobe::PrinterInAnswer("fuzz", answer.get());
  const fontprobe::CupsJobStatus job = fontprobe::JobInAnswer(answer.get());
  // What is shown of them passes the gate.
  fontprobe::Printable(printer.stateMessage + job.reasons + job.printerMessage);
  fontprobe::PrinterStateName(printer.state);
  return 0;
}
