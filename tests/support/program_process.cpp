#include "program_process.h"

#include "pump.h"

namespace tessaro::testing {

ProgramProcess::ProgramProcess(const std::wstring& path) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  std::wstring command = L"\"" + path + L"\"";
  started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process_);
}

ProgramProcess::~ProgramProcess() {
  if (!started_) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND ProgramProcess::WaitForWindow(const wchar_t* caption, DWORD timeout_ms) const {
  HWND found = nullptr;
  PumpUntil(
      [&] {
        found = FindWindowW(nullptr, caption);
        DWORD pid = 0;
        if (found) GetWindowThreadProcessId(found, &pid);
        return found && pid == process_.dwProcessId && IsWindowVisible(found);
      },
      timeout_ms);
  return found;
}

bool ProgramProcess::WaitForExit(DWORD timeout_ms, DWORD* code) const {
  if (WaitForSingleObject(process_.hProcess, timeout_ms) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(process_.hProcess, code);
  return true;
}

}  // namespace tessaro::testing
