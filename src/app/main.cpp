#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  // The shell's folders and Word are COM objects used from this one thread.
  OleInitialize(nullptr);
  int exit_code = 1;
  {
    tessaro::Application app;
    if (app.Start()) exit_code = app.Run();
  }
  OleUninitialize();
  return exit_code;
}
