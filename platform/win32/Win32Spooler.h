#pragma once

#include "printing/Spooler.h"

namespace fontprobe {

// The Windows print spooler through winspool's wide entry points, so that a
// printer name outside the ANSI code page still opens.
class Win32Spooler : public Spooler {
 public:
  Opening Open(const std::u16string& deviceName) override;
  bool HasXpsDriver(Handle printer) override;
  std::optional<JobId> StartDocument(Handle printer, const std::u16string& docName,
                                     const std::u16string& dataType) override;
  bool StartPage(Handle printer) override;
  std::optional<std::uint32_t> Write(Handle printer, std::string_view bytes) override;
  bool EndPage(Handle printer) override;
  bool EndDocument(Handle printer) override;
  void Abort(Handle printer) override;
  void Close(Handle printer) override;
};

}  // namespace fontprobe
