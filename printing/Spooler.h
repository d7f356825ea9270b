#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fontprobe {

// The print spooler, one printer handle at a time. Every call reports failure
// through its result; none throws for a spooler refusal.
class Spooler {
 public:
  using Handle = std::uintptr_t;
  using JobId = std::uint32_t;

  // What became of opening a printer: its handle, or why there is none.
  struct Opening {
    enum class Result { Opened, NoSuchPrinter, Refused } result;
    Handle handle = 0;
  };

  virtual ~Spooler() = default;

  // Opens the printer whose device name is exactly `deviceName` (case and
  // spaces count): the name is checked where the page goes, so no printer is
  // looked up twice and none whose name only resembles it gets the page.
  // Refused: a printer of that name is there but will not open for us.
  virtual Opening Open(const std::u16string& deviceName) = 0;
  // True when the printer's driver runs the XPS print path, which lets raw
  // bytes through only under the "XPS_PASS" datatype.
  virtual bool HasXpsDriver(Handle printer) = 0;
  // The spooler's id of the job the document starts, or nothing when it refused.
  virtual std::optional<JobId> StartDocument(Handle printer, const std::u16string& docName,
                                             const std::u16string& dataType) = 0;
  virtual bool StartPage(Handle printer) = 0;
  // Returns how many bytes the spooler took, or nothing when the write failed.
  virtual std::optional<std::uint32_t> Write(Handle printer, std::string_view bytes) = 0;
  virtual bool EndPage(Handle printer) = 0;
  virtual bool EndDocument(Handle printer) = 0;
  virtual void Abort(Handle printer) = 0;
  virtual void Close(Handle printer) = 0;
};

}  // namespace fontprobe
