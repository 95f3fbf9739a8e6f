#include "app/steps_window.h"

namespace tessaro {

using namespace form3;

Form3::Form3(Application& app)
    : Form(Design{L"Form3", L"帮助", kClientTwips, kLayout}, app),
      label_background_(CreateSolidBrush(kLabelBackground)) {}

void Form3::OnLoad() {
  CenterOnScreen();
  SetControlText(Label1, kStepsText);
}

void Form3::OnCommand(int id, int code, HWND /*control*/) {
  if (id == StyleButton1 && code == BN_CLICKED) Unload();
}

LRESULT Form3::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lparam) == Control(Label1)) {
    HDC dc = reinterpret_cast<HDC>(wparam);
    SetBkColor(dc, kLabelBackground);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(label_background_.get());
  }
  return Form::OnMessage(message, wparam, lparam);
}

}  // namespace tessaro
