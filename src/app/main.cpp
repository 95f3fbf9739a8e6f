#include <windows.h>
#include <commctrl.h>

#include "app/application.h"
#include "controls/ole_session.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  // The shell's folders and Word are COM objects used from this one thread,
  // and documents are dropped onto it.
  const tessaro::OleSession ole;
  tessaro::Application app;
  return app.Start() ? app.Run() : 1;
}
