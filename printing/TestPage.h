#pragma once

#include <string>

namespace fontprobe {

// The escape dialect a test page is written in; one per test button.
enum class PrinterFamily { EpsonIbm, Pcl };

// The fixed byte stream of one test page: labels, escape sequences and probe lines
// of the digit 3, ending in a form feed. Every byte is below 128, so the bytes are
// the same under every ANSI code page.
std::string ComposeTestPage(PrinterFamily family);

}  // namespace fontprobe
