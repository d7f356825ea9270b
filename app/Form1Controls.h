#pragma once

namespace fontprobe::form1 {

// Control and menu identifiers of the main window; the window driver of the
// end-to-end tests finds the controls by them.
enum ControlId : int {
  kImage1 = 101,
  kLabel1,
  kLabel2,
  kLabel3,
  kCombo1,
  kCommand1,
  kCommand2,
};

enum MenuId : int { kMenuExit = 201, kMenuAbout };

inline constexpr wchar_t kWindowClass[] = L"FontprobeForm1";

}  // namespace fontprobe::form1
