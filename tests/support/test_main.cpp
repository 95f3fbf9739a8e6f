// Test executables start like the program: DPI-aware, common controls
// registered, COM initialised on the one UI thread.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
  SetProcessDPIAware();
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  OleInitialize(nullptr);
  testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
