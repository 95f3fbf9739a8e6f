// find-window TITLE OUTFILE [SECONDS]
// Waits for a visible top-level window with that exact title and writes
// "left top width height" of its window rectangle, in screen pixels, to
// OUTFILE. Output goes to a file because Wine's helpers inherit stdout and
// would keep a capturing shell waiting.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    fwprintf(stderr, L"usage: find-window TITLE OUTFILE [SECONDS]\n");
    return 2;
  }
  const double seconds = argc > 3 ? _wtof(argv[3]) : 30.0;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    HWND window = FindWindowW(nullptr, argv[1]);
    if (window && IsWindowVisible(window)) {
      RECT rect{};
      GetWindowRect(window, &rect);
      FILE* out = _wfopen(argv[2], L"w");
      if (!out) return 1;
      fprintf(out, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
              rect.bottom - rect.top);
      fclose(out);
      return 0;
    }
    if (GetTickCount64() >= deadline) return 1;
    Sleep(100);
  }
}
