// What kind of control a window is, decided from its class name each time
// it is needed: nothing is cached, so a window's kind cannot go stale.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tessaro::skin {

enum class SkinKind {
  Form,
  CommandButton,
  CheckBox,
  OptionButton,
  ComboBox,
  DriveList,
  ProgressBar,
  Header,
  DataList,
  DropDownList,
  Grid,
  Other,
};

// The class name, lower-cased, up to its first NUL; empty when unreadable.
std::wstring GetWindowClass(HWND window);
std::wstring GetWindowCaption(HWND window);
SkinKind ClassifyClass(std::wstring_view lower_case_class);
// The class decides, except that a "button" with a check-box or radio-button
// style counts as a check box or an option button.
SkinKind KindOf(HWND window);

}  // namespace tessaro::skin
