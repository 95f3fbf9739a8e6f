#include "shell/root_chooser.h"

#include <shlobj.h>

namespace tessaro::shell {
namespace {

int CALLBACK OnBrowserEvent(HWND dialog, UINT message, LPARAM /*lparam*/, LPARAM preselect) {
  if (message == BFFM_INITIALIZED && preselect) SendMessageW(dialog, BFFM_SETSELECTIONW, FALSE, preselect);
  return 0;
}

}  // namespace

AbsolutePidl BrowseForRootFolder(HWND owner, const std::wstring& title, UINT flags, PCIDLIST_ABSOLUTE browse_root,
                                 PCIDLIST_ABSOLUTE preselect) {
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = browse_root;
  info.lpszTitle = title.c_str();
  info.ulFlags = flags;
  info.lpfn = &OnBrowserEvent;
  info.lParam = reinterpret_cast<LPARAM>(preselect);
  return AbsolutePidl::Adopt(SHBrowseForFolderW(&info));
}

}  // namespace tessaro::shell
