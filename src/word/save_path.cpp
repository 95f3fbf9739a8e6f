#include "word/save_path.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>

namespace tessaro {
namespace {

// Memory the shell hands over with the COM task allocator.
struct CoTaskMemFreer {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};
using ItemIdList = std::unique_ptr<ITEMIDLIST_ABSOLUTE, CoTaskMemFreer>;
using ShellString = std::unique_ptr<wchar_t, CoTaskMemFreer>;

}  // namespace

std::wstring FileSystemPath(PCIDLIST_ABSOLUTE item) {
  if (!item) return {};
  // The shell allocates the name at its full length, so no path is cut at
  // MAX_PATH.
  PWSTR name = nullptr;
  if (FAILED(SHGetNameFromIDList(item, SIGDN_FILESYSPATH, &name))) return {};
  const ShellString owned(name);
  return owned ? std::wstring(owned.get()) : std::wstring();
}

std::wstring BrowseForFolder(HWND owner, std::wstring_view title) {
  const std::wstring caption(title.empty() ? std::wstring_view(L"选择目录") : title);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = caption.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  const ItemIdList chosen(SHBrowseForFolderW(&info));
  return FileSystemPath(chosen.get());
}

}  // namespace tessaro
