// Measures what a command button's look costs: one PaintButton (an alpha
// blend of a prepared face) next to one plain BitBlt of the same size, and
// the processor time of a whole fade. Prints figures, never a verdict.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "win32/gdi.h"
#include "skin/command_button.h"
#include "skin/mem_surface.h"
#include "skin/skin.h"
#include "skin/window_props.h"

namespace {

using namespace tessaro;
using namespace tessaro::skin;

constexpr int kCalls = 5000;

template <typename Work>
double MicrosecondsPerCall(Work work) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kCalls; ++i) work();
  GdiFlush();
  const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
  return took.count() / kCalls;
}

double ProcessorMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return double(ticks(kernel) + ticks(user)) / 10000.0;
}

// Dispatches messages until the fade stops; counts its timer messages.
int RunFade(HWND button, DWORD limit_ms) {
  int steps = 0;
  const DWORD start = GetTickCount();
  while (props::Read(button, props::kTimerId) != 0 && GetTickCount() - start < limit_ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      steps += message.hwnd == button && message.message == WM_TIMER;
      DispatchMessageW(&message);
    }
  }
  return steps;
}

}  // namespace

int wmain() {
  const HWND form = CreateWindowExW(0, L"#32770", L"皮肤", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  const HWND button = CreateWindowExW(0, L"Button", L"合并", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 75, 23,
                                      form, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!form || !button || !SkinWindow(form)) {
    std::printf("could not make a skinned button\n");
    return 1;
  }
  UpdateWindow(form);
  UpdateWindow(button);

  const Surface face = CreateMemSurface(75, 23);
  props::Write(button, props::kAlphaLevel, 255);
  const WindowDC window_dc(button);
  const double blit = MicrosecondsPerCall([&] { BitBlt(window_dc.get(), 0, 0, 75, 23, face.dc(), 0, 0, SRCCOPY); });
  const double paint = MicrosecondsPerCall([&] { PaintButton(button); });
  const double held = MicrosecondsPerCall([&] { PaintButton(button, window_dc.get()); });
  std::printf("PaintButton 75 x 23: %.2f us per call; BitBlt 75 x 23: %.2f us; ratio %.1f\n", paint, blit,
              paint / blit);
  // Under Wine each window property read and each GetDC is a call to the
  // window server; this shows what the blend costs without the GetDC.
  std::printf("PaintButton into a context already held: %.2f us per call\n", held);

  props::Write(button, props::kAlphaLevel, 0);
  const double cpu_before = ProcessorMs();
  const auto wall_before = std::chrono::steady_clock::now();
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  const int steps = RunFade(button, 20000);
  const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - wall_before;
  std::printf("hover fade: %d steps in %.0f ms, %.1f ms of processor time\n", steps, wall.count(),
              ProcessorMs() - cpu_before);

  // With no fade running there is no timer: nothing arrives for the button.
  MSG message;
  int idle_timers = 0;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 300) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      idle_timers += message.hwnd == button && message.message == WM_TIMER;
      DispatchMessageW(&message);
    }
  }
  std::printf("timer messages in 300 ms after the fade: %d\n", idle_timers);
  DestroyWindow(form);
  return 0;
}
