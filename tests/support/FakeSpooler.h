#pragma once

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "printing/Spooler.h"

namespace fontprobe::testing {

// Records every spooler call by name and lets a test make any step fail.
class FakeSpooler : public Spooler {
 public:
  std::set<std::u16string> knownPrinters{u"P"};
  std::set<std::u16string> refusingPrinters;  // known, but they will not open
  bool xpsDriver = false;
  bool startDocFails = false;
  bool startPageFails = false;
  bool endPageFails = false;
  bool endDocFails = false;
  // Each write takes the next of these byte counts (or fails for -1);
  // once empty, a write takes everything offered.
  std::deque<long> writeResults;

  std::vector<std::string> calls;
  std::u16string openedName;
  std::u16string docName;
  std::u16string dataType;
  std::string written;
  int openHandles = 0;

  Opening Open(const std::u16string& deviceName) override {
    calls.push_back("Open");
    openedName = deviceName;
    if (refusingPrinters.count(deviceName)) return {Opening::Result::Refused};
    if (!knownPrinters.count(deviceName)) return {Opening::Result::NoSuchPrinter};
    ++openHandles;
    return {Opening::Result::Opened, kHandle};
  }
  bool HasXpsDriver(Handle printer) override {
    Check(printer);
    return xpsDriver;
  }
  std::optional<JobId> StartDocument(Handle printer, const std::u16string& name,
                                     const std::u16string& type) override {
    Record("StartDocument", printer);
    docName = name;
    dataType = type;
    if (startDocFails) return std::nullopt;
    return kJob;
  }
  bool StartPage(Handle printer) override { return Record("StartPage", printer), !startPageFails; }
  std::optional<std::uint32_t> Write(Handle printer, std::string_view bytes) override {
    Record("Write", printer);
    long take = static_cast<long>(bytes.size());
    if (!writeResults.empty()) {
      take = writeResults.front();
      writeResults.pop_front();
    }
    if (take < 0) return std::nullopt;
    written.append(bytes.substr(0, static_cast<std::size_t>(take)));
    return static_cast<std::uint32_t>(take);
  }
  bool EndPage(Handle printer) override { return Record("EndPage", printer), !endPageFails; }
  bool EndDocument(Handle printer) override { return Record("EndDocument", printer), !endDocFails; }
  void Abort(Handle printer) override { Record("Abort", printer); }
  void Close(Handle printer) override {
    Record("Close", printer);
    --openHandles;
  }

 private:
  static constexpr Handle kHandle = 0x5150;
  static constexpr JobId kJob = 42;

  void Check(Handle printer) {
    if (printer != kHandle || openHandles != 1) calls.push_back("<call on a handle not open>");
  }
  void Record(const char* call, Handle printer) {
    Check(printer);
    calls.push_back(call);
  }
};

}  // namespace fontprobe::testing
