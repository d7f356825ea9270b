#pragma once

#include "interfaces/Browser.h"

namespace fontprobe {

// The user's default web browser, through the shell.
class Win32Browser : public Browser {
 public:
  void Open(const std::u16string& address) override;
};

}  // namespace fontprobe
