#include "word/save_path.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>

#include "word/file_identity.h"

namespace tessaro {
namespace {

// Memory the shell hands over with the COM task allocator.
struct CoTaskMemFreer {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};
using ItemIdList = std::unique_ptr<ITEMIDLIST_ABSOLUTE, CoTaskMemFreer>;
using ShellString = std::unique_ptr<wchar_t, CoTaskMemFreer>;

// Opens the browser on the folder it was given, when that folder is there.
int CALLBACK OnBrowserEvent(HWND browser, UINT message, LPARAM /*lparam*/, LPARAM start_folder) {
  if (message == BFFM_INITIALIZED && start_folder) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, start_folder);
  return 0;
}

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

std::wstring BrowseForFolder(HWND owner, std::wstring_view title, const std::wstring& start_folder) {
  const std::wstring caption(title.empty() ? std::wstring_view(L"选择目录") : title);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = caption.c_str();
  // The larger browser with its 新建文件夹 button: a missing output folder
  // can be made where it is chosen.
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = &OnBrowserEvent;
  if (!start_folder.empty() && word::IsFolder(start_folder)) info.lParam = reinterpret_cast<LPARAM>(start_folder.c_str());
  const ItemIdList chosen(SHBrowseForFolderW(&info));
  return FileSystemPath(chosen.get());
}

}  // namespace tessaro
