#include "shell/shell_folder.h"

#include <shellapi.h>

#include <cstring>
#include "win32/unique_handle.h"

namespace tessaro::shell {
namespace {

std::wstring FromAnsi(const char* text, std::size_t max_length) {
  const std::size_t length = strnlen(text, max_length);
  if (length == 0) return {};
  const int wide = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
  std::wstring result(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), result.data(), wide);
  return result;
}

std::wstring CutAtNul(const wchar_t* text, std::size_t capacity) { return {text, wcsnlen(text, capacity)}; }

}  // namespace

IShellFolder* GetDesktopFolder() {
  // Kept for the whole run and never released: the tree and list ask for it
  // per item, and it must outlive objects destroyed after COM shuts down.
  static IShellFolder* desktop = nullptr;
  if (!desktop && FAILED(SHGetDesktopFolder(&desktop))) desktop = nullptr;
  return desktop;
}

ComPtr<IShellFolder> GetFolder(PCIDLIST_ABSOLUTE pidl) {
  IShellFolder* desktop = GetDesktopFolder();
  if (!desktop || !pidl) return {};
  if (IsDesktopPIDL(pidl)) return ComPtr<IShellFolder>::Share(desktop);
  ComPtr<IShellFolder> folder;
  if (FAILED(desktop->BindToObject(pidl, nullptr, IID_IShellFolder, folder.put_void()))) return {};
  return folder;
}

ComPtr<IShellFolder> GetParentFolder(PCIDLIST_ABSOLUTE pidl) {
  const AbsolutePidl parent = GetParentPIDL(pidl, true);
  return GetFolder(parent.get());
}

SFGAOF GetAttributes(IShellFolder* folder, PCUITEMID_CHILD item, SFGAOF mask) {
  SFGAOF attributes = mask;
  if (!folder || !item || FAILED(folder->GetAttributesOf(1, &item, &attributes))) return 0;
  return attributes & mask;
}

std::wstring GetDisplayName(IShellFolder* folder, PCUITEMID_CHILD item, SHGDNF flags) {
  STRRET name{};
  if (!folder || FAILED(folder->GetDisplayNameOf(item, flags, &name))) return {};
  return StrRetToString(name, item);
}

std::wstring StrRetToString(STRRET& value, PCUITEMID_CHILD item) {
  switch (value.uType) {
    case STRRET_WSTR: {
      std::wstring text = value.pOleStr ? value.pOleStr : L"";
      CoTaskMemFree(value.pOleStr);
      value.pOleStr = nullptr;
      return text;
    }
    case STRRET_OFFSET: {
      if (!item) return {};
      const auto size = GetPIDLSize(item);
      if (!size || value.uOffset >= *size) return {};
      return FromAnsi(reinterpret_cast<const char*>(item) + value.uOffset, *size - value.uOffset);
    }
    case STRRET_CSTR:
      return FromAnsi(value.cStr, sizeof(value.cStr));
  }
  return {};
}

std::wstring GetPathFromPIDL(PCIDLIST_ABSOLUTE pidl) {
  // The shell allocates the name at its full length: a MAX_PATH buffer
  // would make every folder deeper than that look like a virtual one.
  PWSTR name = nullptr;
  if (!pidl || FAILED(SHGetNameFromIDList(pidl, SIGDN_FILESYSPATH, &name)) || !name) return {};
  std::wstring path(name);
  CoTaskMemFree(name);
  return path;
}

std::wstring GetFileTypeName(PCIDLIST_ABSOLUTE pidl) {
  SHFILEINFOW info{};
  if (!pidl || !SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_TYPENAME)) {
    return {};
  }
  return CutAtNul(info.szTypeName, std::size(info.szTypeName));
}

int GetSysIconIndex(PCIDLIST_ABSOLUTE pidl, UINT flags) {
  SHFILEINFOW info{};
  if (!pidl || !SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof(info),
                               flags | SHGFI_SYSICONINDEX | SHGFI_PIDL)) {
    return 0;
  }
  return info.iIcon;
}

HIMAGELIST GetSysImageList(bool large) {
  SHFILEINFOW info{};
  return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
      L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON)));
}

std::wstring LoadShellString(UINT id) {
  const Library shell32(LoadLibraryW(L"shell32.dll"));
  if (!shell32.get()) return {};
  // A zero buffer size returns a pointer to the resource text itself, with no
  // length limit on long strings.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(shell32.get(), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || !text) return {};
  return {text, static_cast<std::size_t>(length)};
}

HWND GetTopLevelWindow(HWND window) {
  for (HWND parent = window ? GetParent(window) : nullptr; parent; parent = GetParent(window)) window = parent;
  return window;
}

}  // namespace tessaro::shell
