// A program started as a user would start it, watched from outside: its
// windows are looked up by caption and owner, and it is ended if a test
// leaves it running.
#pragma once

#include <windows.h>

#include <string>

namespace tessaro::testing {

class ProgramProcess {
 public:
  explicit ProgramProcess(const std::wstring& path);
  ~ProgramProcess();
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  bool started() const { return started_; }
  // Waits for a visible top-level window of the program with that caption.
  HWND WaitForWindow(const wchar_t* caption, DWORD timeout_ms = 30000) const;
  bool WaitForExit(DWORD timeout_ms, DWORD* code) const;

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

}  // namespace tessaro::testing
