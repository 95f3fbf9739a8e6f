// A dialog-class window with children of many classes, for attaching the
// skin to; destroyed with the test, which must leave the engine empty.
#pragma once

#include <windows.h>

#include <vector>

namespace tessaro::skin::testing {

WNDPROC ProcOf(HWND window);
int DescendantCount(HWND window);
// A pixel as the screen shows it, in client or in window coordinates.
COLORREF ClientPixel(HWND window, int x, int y);
COLORREF FramePixel(HWND window, int x, int y);

class SkinnedForm {
 public:
  SkinnedForm();
  SkinnedForm(const SkinnedForm&) = delete;
  SkinnedForm& operator=(const SkinnedForm&) = delete;
  ~SkinnedForm();

  HWND form() const { return form_; }
  HWND Add(const wchar_t* window_class, DWORD style, const wchar_t* text = L"", int x = 10, int y = 10, int width = 75,
           int height = 23);

 private:
  HWND form_;
};

}  // namespace tessaro::skin::testing
