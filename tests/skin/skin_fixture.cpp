#include "skin_fixture.h"

namespace tessaro::skin::testing {

WNDPROC ProcOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

int DescendantCount(HWND window) {
  int count = 0;
  EnumChildWindows(
      window,
      [](HWND, LPARAM counter) {
        ++*reinterpret_cast<int*>(counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

COLORREF ClientPixel(HWND window, int x, int y) {
  const HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

COLORREF FramePixel(HWND window, int x, int y) {
  const HDC dc = GetWindowDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

SkinnedForm::SkinnedForm()
    : form_(CreateWindowExW(0, L"#32770", L"皮肤", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr)) {}

SkinnedForm::~SkinnedForm() {
  if (IsWindow(form_)) DestroyWindow(form_);
}

HWND SkinnedForm::Add(const wchar_t* window_class, DWORD style, const wchar_t* text, int x, int y, int width,
                      int height) {
  return CreateWindowExW(0, window_class, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, form_, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace tessaro::skin::testing
