// The documents the engine writes for the server's tests, seen from Windows,
// and fresh output folders beside them. Each test target names the folder in
// TESSARO_SERVER_DOCUMENTS_W.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

inline std::string fileBytes(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The format a file is in, read from its bytes: "doc" (OLE compound file),
// "docx" (zip with word/document.xml), "odt", "rtf", "pdf"; "" for anything else.
inline std::string formatOnDisk(const std::wstring& path)
{
    const std::string bytes = fileBytes(path);
    const auto holds = [&bytes](const char* text) { return bytes.find(text) != std::string::npos; };
    if (bytes.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return "doc";
    if (bytes.starts_with("%PDF-"))
        return "pdf";
    if (bytes.starts_with("{\\rtf"))
        return "rtf";
    if (bytes.starts_with("PK\x03\x04")) {
        if (holds("word/document.xml"))
            return "docx";
        if (holds("application/vnd.oasis.opendocument.text"))
            return "odt";
    }
    return "";
}

}  // namespace wordsrv::test
