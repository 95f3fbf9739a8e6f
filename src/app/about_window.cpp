#include "app/about_window.h"

namespace tessaro {

using namespace form2;

Form2::Form2(Application& app) : Form(Design{L"Form2", L"关于", kClientTwips, kLayout, kCloseOnlyStyle}, app) {}

void Form2::OnLoad() {
  CenterOnScreen();
  SetControlText(Label1, kAboutText);
}

void Form2::OnCommand(int id, int code, HWND /*control*/) {
  if (id == StyleButton1 && code == BN_CLICKED) Unload();
}

}  // namespace tessaro
