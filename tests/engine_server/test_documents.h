// The documents the engine writes for the server's tests, seen from Windows,
// and fresh output folders beside them. Each test target names the folder in
// TESSARO_SERVER_DOCUMENTS_W.
#pragma once

#include <windows.h>

#include <string>

namespace wordsrv::test {

inline std::wstring documents()
{
    std::wstring path = L"Z:" TESSARO_SERVER_DOCUMENTS_W;
    for (auto& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

inline std::wstring document(const std::wstring& name) { return documents() + L"\\" + name; }

// A fresh, empty output folder for one test.
inline std::wstring emptyFolder(const std::wstring& name)
{
    const std::wstring folder = document(name);
    CreateDirectoryW(folder.c_str(), nullptr);
    WIN32_FIND_DATAW data;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileW((folder + L"\\" + data.cFileName).c_str());
        while (FindNextFileW(search, &data));
        FindClose(search);
    }
    return folder;
}

}  // namespace wordsrv::test
