#include "processes.h"

#include "base/text.h"

#include <tlhelp32.h>

#include <cstring>
#include <thread>

namespace wordsrv::test {

namespace {

using namespace std::chrono_literals;

std::string readFile(const std::wstring& path)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    CloseHandle(file);
    return content;
}

std::string prefixEntry()
{
    wchar_t prefix[MAX_PATH] = {};
    GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
    return std::string("WINEPREFIX=") + toUtf8(prefix) + '\0';
}

template <typename F> bool waitFor(F condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

}  // namespace

std::vector<DWORD> serverProcesses()
{
    std::vector<DWORD> found;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, L"wordsrv.exe") == 0)
            found.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return found;
}

std::vector<int> linuxProcesses(const std::string& name)
{
    std::vector<int> found;
    const std::string prefix = prefixEntry();
    WIN32_FIND_DATAW data;
    const HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &data);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        const int pid = _wtoi(data.cFileName);
        if (pid <= 0)
            continue;
        const std::wstring dir = std::wstring(L"Z:\\proc\\") + data.cFileName;
        if (readFile(dir + L"\\comm") != name + "\n")
            continue;
        const std::string stat = readFile(dir + L"\\stat");
        const size_t close = stat.rfind(')');
        const bool zombie = close != std::string::npos && stat.compare(close, 3, ") Z") == 0;
        if (!zombie && readFile(dir + L"\\environ").find(prefix) != std::string::npos)
            found.push_back(pid);
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return found;
}

bool nothingLeft(std::chrono::milliseconds limit)
{
    return waitFor(
        [] {
            return serverProcesses().empty() && linuxProcesses("tessaro-engine").empty() &&
                   linuxProcesses("soffice.bin").empty();
        },
        limit);
}

bool wordEnded(std::chrono::milliseconds limit)
{
    return waitFor([] { return serverProcesses().empty() && linuxProcesses("tessaro-engine").empty(); }, limit);
}

bool startLinuxProgram(const std::wstring& program, std::wstring commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    if (process.hThread)
        CloseHandle(process.hThread);
    if (process.hProcess)
        CloseHandle(process.hProcess);
    return true;
}

namespace {

// A Linux program started by Wine runs without a handle to wait on: the
// signal is sent by /bin/kill and its effect read from the process's state.
bool signalLinuxProcess(int pid, const wchar_t* signal, const char* states, std::chrono::milliseconds limit)
{
    if (!startLinuxProgram(L"Z:\\bin\\kill", std::wstring(L"kill ") + signal + L" " + std::to_wstring(pid)))
        return false;
    const std::wstring stat = L"Z:\\proc\\" + std::to_wstring(pid) + L"\\stat";
    return waitFor(
        [&] {
            const std::string line = readFile(stat);
            const size_t close = line.rfind(')');
            return line.empty() || (close != std::string::npos && close + 2 < line.size() &&
                                    std::strchr(states, line[close + 2]));
        },
        limit);
}

}  // namespace

bool killLinuxProcess(int pid, std::chrono::milliseconds limit) { return signalLinuxProcess(pid, L"-9", "Z", limit); }

bool stopLinuxProcess(int pid, std::chrono::milliseconds limit) { return signalLinuxProcess(pid, L"-STOP", "Tt", limit); }

}  // namespace wordsrv::test
