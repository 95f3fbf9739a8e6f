#include "browse_fixture.h"

#include <commctrl.h>
#include <shlobj.h>
#include <winioctl.h>

#include <fstream>

#include "win32/com_ptr.h"
#include "controls/tree_view_text.h"

namespace tessaro::testing {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, std::size_t bytes) {
  std::ofstream out(path, std::ios::binary);
  out << std::string(bytes, 'x');
}

void MakeSparseFile(const fs::path& path, std::uint64_t bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD returned = 0;
  DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(bytes);
  SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
  SetEndOfFile(file);
  CloseHandle(file);
}

void MakeShortcut(const fs::path& link, const fs::path& target) {
  ComPtr<IShellLinkW> shortcut;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              shortcut.put_void()))) {
    return;
  }
  shortcut->SetPath(target.c_str());
  const auto file = shortcut.As<IPersistFile>(IID_IPersistFile);
  if (file) file->Save(link.c_str(), TRUE);
}

}  // namespace

const wchar_t* const DiskTree::kForeignName = L"한글\U00020000.txt";

DiskTree::DiskTree() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  root = fs::path(temp) / (L"tessaro-browse-" + std::to_wstring(GetCurrentProcessId()));
  fs::remove_all(root);
  fs::create_directories(root / L"A" / L"A1");
  fs::create_directories(root / L"B");
  fs::create_directories(root / L"H" / L"H1");
  SetFileAttributesW((root / L"H" / L"H1").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW((root / L"H").c_str(), FILE_ATTRIBUTE_HIDDEN);
  WriteFile(root / L"zero.bin", 0);
  WriteFile(root / L"one.bin", 1);
  WriteFile(root / L"kb.bin", 1536);
  MakeSparseFile(root / L"huge.bin", kHugeBytes);
  WriteFile(root / kForeignName, 3);
  MakeShortcut(root / L"link.lnk", root / L"one.bin");
}

DiskTree::~DiskTree() {
  std::error_code ignored;
  SetFileAttributesW((root / L"H").c_str(), FILE_ATTRIBUTE_NORMAL);
  SetFileAttributesW((root / L"H" / L"H1").c_str(), FILE_ATTRIBUTE_NORMAL);
  fs::remove_all(root, ignored);
}

shell::AbsolutePidl PidlOfPath(const std::filesystem::path& path) {
  PIDLIST_ABSOLUTE pidl = nullptr;
  if (FAILED(SHParseDisplayName(path.c_str(), nullptr, &pidl, 0, nullptr))) return {};
  return shell::AbsolutePidl::Adopt(pidl);
}

BrowseHost::BrowseHost() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &BrowseHost::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TessaroBrowseHost";
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
  window_ = CreateWindowExW(0, L"TessaroBrowseHost", L"browse", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  tree_window_ = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, 0, 0,
                                 300, 600, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  // The folder list keeps the rows; the control asks it for what it shows.
  list_window_ = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                                 300, 0, 500, 600, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  list_ = std::make_unique<shell::FolderList>(list_window_, tree_window_);
  tree_ = std::make_unique<shell::FolderTree>(tree_window_, *list_);
}

BrowseHost::~BrowseHost() {
  tree_->ClearTree();
  list_->ClearList();
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

LRESULT CALLBACK BrowseHost::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* host = reinterpret_cast<BrowseHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NOTIFY && host && host->tree_ && host->list_) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
    if (header.hwndFrom == host->tree_window_) return host->tree_->OnNotify(header);
    if (header.hwndFrom == host->list_window_) return host->list_->OnNotify(header);
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

std::wstring BrowseHost::TreeText(HTREEITEM item) const { return TreeViewItemText(tree_window_, item); }

std::vector<std::wstring> BrowseHost::ChildTexts(HTREEITEM parent) const {
  std::vector<std::wstring> texts;
  for (HTREEITEM child = TreeView_GetChild(tree_window_, parent); child;
       child = TreeView_GetNextSibling(tree_window_, child)) {
    texts.push_back(TreeText(child));
  }
  return texts;
}

HTREEITEM BrowseHost::ChildNamed(HTREEITEM parent, const std::wstring& text) const {
  for (HTREEITEM child = TreeView_GetChild(tree_window_, parent); child;
       child = TreeView_GetNextSibling(tree_window_, child)) {
    if (TreeText(child) == text) return child;
  }
  return nullptr;
}

std::wstring BrowseHost::Cell(int row, int column) const {
  wchar_t text[MAX_PATH] = {};
  ListView_GetItemText(list_window_, row, column, text, MAX_PATH);
  return text;
}

int BrowseHost::RowNamed(const std::wstring& name) const {
  const int rows = ListView_GetItemCount(list_window_);
  for (int row = 0; row < rows; ++row) {
    if (Cell(row, 0) == name) return row;
  }
  return -1;
}

std::vector<std::wstring> BrowseHost::RowNames() const {
  std::vector<std::wstring> names;
  const int rows = ListView_GetItemCount(list_window_);
  for (int row = 0; row < rows; ++row) names.push_back(Cell(row, 0));
  return names;
}

}  // namespace tessaro::testing
