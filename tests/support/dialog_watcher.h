#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace tessaro::testing {

// Waits on a second thread for a dialog of this process with the given
// title, then runs act on it there; act must close it (press a button). The
// test thread meanwhile sits in the dialog's modal loop, so nothing hangs: a
// dialog that never shows just ends the wait after timeout_ms.
class DialogWatcher {
 public:
  DialogWatcher(std::wstring title, std::function<void(HWND dialog)> act, DWORD timeout_ms = 10000);
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;
  ~DialogWatcher();

  // Waits for the watching thread; returns whether the dialog was seen. A
  // dialog that had to be forced shut fails the test.
  bool Finish();

 private:
  void Watch(DWORD timeout_ms);

  std::wstring title_;
  std::function<void(HWND)> act_;
  std::atomic<bool> seen_{false};
  std::atomic<bool> left_open_{false};
  std::thread thread_;
};

// What a message box showed, read before it was closed with OK.
struct MessageBoxSeen {
  std::wstring text;
  int buttons = 0;  // visible push buttons
  bool icon = false;
};

// Reads a message box and presses its OK button.
MessageBoxSeen ReadAndPressOk(HWND box);

// Presses a dialog's button with that id, as a click would.
void PressButton(HWND dialog, int id);

}  // namespace tessaro::testing
