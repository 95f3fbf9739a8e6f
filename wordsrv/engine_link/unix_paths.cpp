#include "engine_link/unix_paths.h"

#include "base/text.h"
#include "base/word_error.h"

#include <windows.h>

#include <memory>

namespace wordsrv {

namespace {

using ToUnix = char*(CDECL*)(const WCHAR*);

ToUnix wineToUnix()
{
    static const auto function = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    return function;
}

struct HeapFree_ {
    void operator()(char* p) const { HeapFree(GetProcessHeap(), 0, p); }
};

}  // namespace

std::wstring fullPath(const std::wstring& path)
{
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (path.empty() || size == 0)
        throw WordError{L"文件名无效 (invalid file name): " + path};
    std::wstring full(size, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(written);
    return full;
}

std::string unixPath(const std::wstring& windowsPath)
{
    const ToUnix toUnix = wineToUnix();
    if (!toUnix)
        return toUtf8(windowsPath);
    const std::unique_ptr<char, HeapFree_> converted(toUnix(windowsPath.c_str()));
    if (!converted)
        throw WordError{L"文件夹不存在 (folder not found): " + windowsPath};
    return converted.get();
}

}  // namespace wordsrv
