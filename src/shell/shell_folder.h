// The shell namespace as the tree and the list need it: folder objects,
// names, paths, type names, icons. Failed queries give empty texts, index 0
// or an empty folder pointer; nothing here reports to the user.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "win32/com_ptr.h"
#include "shell/pidl.h"

namespace tessaro::shell {

// The desktop folder, fetched on first use and kept for the whole run.
IShellFolder* GetDesktopFolder();
// The folder object of a fully qualified list. The empty list is the
// desktop; a folder that cannot be bound gives an empty pointer, never some
// other folder's contents.
ComPtr<IShellFolder> GetFolder(PCIDLIST_ABSOLUTE pidl);
// The folder that holds the item; the desktop for the desktop itself and for
// the items right under it.
ComPtr<IShellFolder> GetParentFolder(PCIDLIST_ABSOLUTE pidl);

// Those of the asked attributes that the folder reports for its item.
SFGAOF GetAttributes(IShellFolder* folder, PCUITEMID_CHILD item, SFGAOF mask);
std::wstring GetDisplayName(IShellFolder* folder, PCUITEMID_CHILD item, SHGDNF flags);
// The text of a STRRET, whose offset form points into the item it was asked
// for. A shell-allocated wide string inside is freed.
std::wstring StrRetToString(STRRET& value, PCUITEMID_CHILD item);

// The file-system path, without a trailing "\" except at a drive root;
// empty for items outside the file system.
std::wstring GetPathFromPIDL(PCIDLIST_ABSOLUTE pidl);
std::wstring GetFileTypeName(PCIDLIST_ABSOLUTE pidl);
// Index into the system image list (SHGFI_SMALLICON, SHGFI_OPENICON, ...).
int GetSysIconIndex(PCIDLIST_ABSOLUTE pidl, UINT flags);
// The system's shared image list; never to be destroyed.
HIMAGELIST GetSysImageList(bool large);

// A string resource of shell32.dll; empty when it has none under the number.
std::wstring LoadShellString(UINT id);
// The outermost ancestor of a window, itself when it has no parent.
HWND GetTopLevelWindow(HWND window);

}  // namespace tessaro::shell
