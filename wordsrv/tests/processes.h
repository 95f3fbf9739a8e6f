#pragma once
// What the Word server leaves running: its own Windows process, and the
// engine and soffice, which are Linux processes Wine does not list. Those are
// found through /proc, by name and by this test's Wine prefix.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace wordsrv::test {

std::vector<DWORD> serverProcesses();
std::vector<int> linuxProcesses(const std::string& name);

// Waits until no server, engine or soffice of this prefix runs.
bool nothingLeft(std::chrono::milliseconds limit);
// Waits until no server or engine of this prefix runs; the user's viewer may.
bool wordEnded(std::chrono::milliseconds limit);

// Ends a Linux process (SIGKILL) and waits until it is gone.
bool killLinuxProcess(int pid, std::chrono::milliseconds limit);
// Freezes a Linux process (SIGSTOP) and waits until it is stopped.
bool stopLinuxProcess(int pid, std::chrono::milliseconds limit);

// Starts a Linux program. Wine gives no handle to wait on: callers watch for
// what it does.
bool startLinuxProgram(const std::wstring& program, std::wstring commandLine);

}  // namespace wordsrv::test
