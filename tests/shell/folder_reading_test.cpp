// The contents list as it reads folders on its own thread: ten thousand rows
// ordered by every column, before and after the folder changes; folders
// left, read again or removed while they are read; and items the shell names
// and dresses its own way.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <vector>
#include <thread>

#include "browse_fixture.h"
#include "counting_allocator.h"
#include "pump.h"
#include "shell/list_columns.h"
#include "shell/shell_folder.h"

namespace tessaro::shell {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  explicit TempFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path = fs::path(temp) / (name + std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  fs::path path;
};

void WriteFile(const fs::path& path, std::size_t bytes) {
  std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
}

std::size_t ThreadsOfThisProcess() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  std::size_t count = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

void WaitUntilRead(testing::BrowseHost& host) {
  EXPECT_TRUE(testing::PumpUntil([&] { return !host.list().Reading() && host.list().EndingListings() == 0; },
                                 20000));
}

// Runs work on this thread when another thread sends for it, as a message
// from elsewhere reaches the window while it waits for a folder to be read.
class SentWork {
 public:
  explicit SentWork(std::function<void()> work) : work_(std::move(work)) {
    window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowSubclass(window_, &SentWork::Proc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
  ~SentWork() {
    if (sender_.joinable()) sender_.join();
    RemoveWindowSubclass(window_, &SentWork::Proc, 1);
    DestroyWindow(window_);
    CloseHandle(sending_);
  }
  // Returns once the message is on its way, to be answered here.
  void Send() {
    sender_ = std::thread([this] {
      SetEvent(sending_);
      SendMessageW(window_, WM_APP, 0, 0);
    });
    WaitForSingleObject(sending_, INFINITE);
    for (int tries = 0; tries < 100 && !(GetQueueStatus(QS_SENDMESSAGE) & (QS_SENDMESSAGE << 16 | QS_SENDMESSAGE));
         ++tries) {
      Sleep(1);
    }
  }
  // Whether the work ran before the call, then answers it if not yet.
  bool Finish() {
    const bool ran = done_;
    testing::PumpUntil([this] { return done_; });
    sender_.join();
    return ran;
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR self) {
    if (message != WM_APP) return DefSubclassProc(window, message, wparam, lparam);
    auto* work = reinterpret_cast<SentWork*>(self);
    work->work_();
    work->done_ = true;
    return 0;
  }
  std::function<void()> work_;
  HWND window_ = nullptr;
  HANDLE sending_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool done_ = false;
  std::thread sender_;
};

// What the test knows of a file, apart from the list.
struct Known {
  std::uint64_t size = 0;
  std::uint64_t modified = 0;
  bool folder = false;
};

std::map<std::wstring, Known> ReadBack(const fs::path& folder) {
  std::map<std::wstring, Known> known;
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileW((folder / L"*").c_str(), &data);
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    known[name] = {(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                   (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                       data.ftLastWriteTime.dwLowDateTime,
                   (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return known;
}

// Whether a comes before b in a column, written out from what Explorer
// shows: folders first; then the column's value (sizes and dates of files
// only, types by the type column's text); then the name as Explorer orders
// names, letter case last.
bool ComesBefore(const Known& a, const std::wstring& a_name, const std::wstring& a_type, const Known& b,
                 const std::wstring& b_name, const std::wstring& b_type, int column) {
  if (a.folder != b.folder) return a.folder;
  if (column == kFileSizeColumn && !a.folder && a.size != b.size) return a.size < b.size;
  if (column == kFileDateColumn && !a.folder && a.modified != b.modified) return a.modified < b.modified;
  if (column == kFileTypeColumn) {
    if (const int order = StrCmpLogicalW(a_type.c_str(), b_type.c_str())) return order < 0;
  }
  if (const int order = StrCmpLogicalW(a_name.c_str(), b_name.c_str())) return order < 0;
  return CompareStringOrdinal(a_name.c_str(), -1, b_name.c_str(), -1, FALSE) == CSTR_LESS_THAN;
}

// Every column both ways: each row once, in the column's order.
void ExpectEveryColumnInOrder(testing::BrowseHost& host, const std::map<std::wstring, Known>& known,
                              const char* when) {
  const int rows = ListView_GetItemCount(host.list_window());
  ASSERT_EQ(static_cast<std::size_t>(rows), known.size()) << when;
  std::map<std::wstring, std::wstring> type_of;
  for (int row = 0; row < rows; ++row) type_of[host.Cell(row, kNameColumn)] = host.Cell(row, kFileTypeColumn);
  ASSERT_EQ(type_of.size(), known.size()) << when << ": each row once";
  for (int column : {kNameColumn, kFileSizeColumn, kFileTypeColumn, kFileDateColumn}) {
    for (int order : {0, 1}) {
      host.list().sort_state().key = column;
      host.list().sort_state().order = order;
      host.list().SortList();
      std::vector<std::wstring> names;
      for (int row = 0; row < rows; ++row) names.push_back(host.Cell(row, kNameColumn));
      for (int row = 1; row < rows; ++row) {
        const std::wstring& first = names[order ? row : row - 1];
        const std::wstring& second = names[order ? row - 1 : row];
        ASSERT_TRUE(ComesBefore(known.at(first), first, type_of.at(first), known.at(second), second,
                                type_of.at(second), column))
            << when << ": column " << column << (order ? " descending" : " ascending") << ", row " << row;
      }
    }
  }
}

TEST(FolderReadingTest, EveryColumnOrdersTenThousandRowsBeforeAndAfterTheFolderChanges) {
  TempFolder folder(L"tessaro-sort-");
  const wchar_t* extensions[] = {L".txt", L".docx", L".DOC", L".bin", L"", L".pdf"};
  for (int i = 0; i < 10000; ++i) {
    // Numbers in the names, both letter cases, six kinds, every tenth file
    // with a size of its own and the others alike.
    const std::wstring name = (i % 3 ? L"page " : L"Page ") + std::to_wstring((i * 7) % 10007) + extensions[i % 6];
    if (i % 10) {
      CloseHandle(CreateFileW((folder.path / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    } else {
      WriteFile(folder.path / name, static_cast<std::size_t>((i * 7919) % 4096));
    }
  }
  for (int i = 0; i < 12; ++i) fs::create_directory(folder.path / (L"dir " + std::to_wstring(i)));

  testing::BrowseHost host;
  const AbsolutePidl pidl = testing::PidlOfPath(folder.path);
  host.tree().SetTreeRoot(pidl.get());
  WaitUntilRead(host);
  ExpectEveryColumnInOrder(host, ReadBack(folder.path), "as read");

  // Without 刷新: the list follows the folder.
  WriteFile(folder.path / L"page 5000.5.docx", 2048);
  EXPECT_TRUE(testing::PumpUntil([&] { return host.list().row_count() == 10013; }, 20000));
  WaitUntilRead(host);
  ExpectEveryColumnInOrder(host, ReadBack(folder.path), "after a file was added");

  const ChildPidl rel = CopyItemID(pidl.get(), -1);
  host.list().FillList(pidl.get(), rel.get());
  WaitUntilRead(host);
  ExpectEveryColumnInOrder(host, ReadBack(folder.path), "after 刷新");
}

TEST(FolderReadingTest, LeavingOrReadingAgainMidwayShowsNoRowOfTheOldReading) {
  TempFolder parent(L"tessaro-leave-");
  fs::create_directories(parent.path / L"big");
  fs::create_directories(parent.path / L"other");
  for (int i = 0; i < 3000; ++i) WriteFile(parent.path / L"big" / (L"old " + std::to_wstring(i) + L".txt"), 0);
  const std::set<std::wstring> other_names = {L"new 1.docx", L"new 2.docx", L"new 3.docx"};
  for (const std::wstring& name : other_names) WriteFile(parent.path / L"other" / name, 1);
  std::set<std::wstring> big_names;
  for (int i = 0; i < 3000; ++i) big_names.insert(L"old " + std::to_wstring(i) + L".txt");

  testing::CountingAllocator allocator;
  {
    testing::BrowseHost host;
    const AbsolutePidl root = testing::PidlOfPath(parent.path);
    const AbsolutePidl big_pidl = testing::PidlOfPath(parent.path / L"big");
    const ChildPidl big_rel = CopyItemID(big_pidl.get(), -1);
    const HTREEITEM root_item = host.tree().SetTreeRoot(root.get());
    const HTREEITEM big = host.ChildNamed(root_item, L"big");
    const HTREEITEM other = host.ChildNamed(root_item, L"other");
    ASSERT_TRUE(big && other);
    TreeView_SelectItem(host.tree_window(), other);
    WaitUntilRead(host);
    const std::size_t threads = ThreadsOfThisProcess();

    struct Case {
      const char* what;
      std::function<void()> midway;
      HTREEITEM shown;
      const std::set<std::wstring>* rows;
    };
    const Case cases[] = {
        {"another folder selected", [&] { TreeView_SelectItem(host.tree_window(), other); }, other, &other_names},
        {"刷新", [&] { host.list().FillList(big_pidl.get(), big_rel.get()); }, big, &big_names},
    };
    for (const Case& c : cases) {
      TreeView_SelectItem(host.tree_window(), root_item);
      WaitUntilRead(host);
      SentWork work(c.midway);
      work.Send();
      TreeView_SelectItem(host.tree_window(), big);
      EXPECT_TRUE(work.Finish()) << c.what << ": while the folder was read";
      WaitUntilRead(host);
      testing::PumpUntil([] { return false; }, 500);  // anything late from the old reading
      const std::vector<std::wstring> shown = host.RowNames();
      EXPECT_EQ(shown.size(), c.rows->size()) << c.what;
      EXPECT_EQ(std::set<std::wstring>(shown.begin(), shown.end()), *c.rows) << c.what;
      EXPECT_EQ(TreeView_GetSelection(host.tree_window()), c.shown) << c.what;
      EXPECT_TRUE(testing::PumpUntil([&] { return ThreadsOfThisProcess() <= threads; }, 5000))
          << c.what << ": " << ThreadsOfThisProcess() << " threads, " << threads << " before";
    }
    host.tree().ClearTree();
    host.list().ClearList();
  }
  EXPECT_EQ(allocator.live(), 0u);
  EXPECT_EQ(allocator.bad_frees(), 0u);
}

TEST(FolderReadingTest, AFolderRemovedWhileShownOrWhileReadLeavesNoRowsAndNoThreads) {
  for (const bool while_read : {false, true}) {
    TempFolder parent(L"tessaro-gone-");
    const fs::path gone = parent.path / L"gone";
    fs::create_directories(gone);
    for (int i = 0; i < 1500; ++i) WriteFile(gone / (std::to_wstring(i) + L".txt"), 0);
    testing::BrowseHost host;
    const AbsolutePidl parent_pidl = testing::PidlOfPath(parent.path);
    host.tree().SetTreeRoot(parent_pidl.get());
    WaitUntilRead(host);
    const std::size_t threads = ThreadsOfThisProcess();
    const AbsolutePidl pidl = testing::PidlOfPath(gone);

    std::thread remover;
    if (while_read) {
      // Under Wine a directory removed while a handle is open on it stays
      // until the handle closes; its files go at once.
      remover = std::thread([&] {
        std::error_code pending;
        fs::remove_all(gone, pending);
      });
      host.tree().SetTreeRoot(pidl.get());
      remover.join();
    } else {
      host.tree().SetTreeRoot(pidl.get());
      WaitUntilRead(host);
      EXPECT_EQ(host.list().row_count(), 1500u);
      std::error_code pending;
      fs::remove_all(gone, pending);
    }
    EXPECT_TRUE(testing::PumpUntil([&] { return host.list().row_count() == 0 && !host.list().Reading(); }, 20000))
        << (while_read ? "while read: " : "while shown: ") << host.list().row_count() << " rows left";
    EXPECT_TRUE(testing::PumpUntil([&] { return ThreadsOfThisProcess() <= threads; }, 5000))
        << ThreadsOfThisProcess() << " threads, " << threads << " before";
  }
}

// Sets Explorer's "hide extensions of known file types" for as long as it lives.
class HiddenExtensions {
 public:
  explicit HiddenExtensions(bool hidden) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced", 0,
                    nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
    DWORD size = sizeof(previous_);
    had_value_ = RegQueryValueExW(key_, L"HideFileExt", nullptr, nullptr, reinterpret_cast<BYTE*>(&previous_),
                                  &size) == ERROR_SUCCESS;
    const DWORD value = hidden ? 1 : 0;
    RegSetValueExW(key_, L"HideFileExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  }
  ~HiddenExtensions() {
    if (had_value_) {
      RegSetValueExW(key_, L"HideFileExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_),
                     sizeof(previous_));
    } else {
      RegDeleteValueW(key_, L"HideFileExt");
    }
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  DWORD previous_ = 0;
  bool had_value_ = false;
};

TEST(FolderReadingTest, EachItemShowsTheNameTypeIconAndOverlayTheShellGivesIt) {
  TempFolder folder(L"tessaro-kinds-");
  const std::vector<std::wstring> names = {testing::DiskTree::kForeignName, L"report.docx", L"other.docx", L"noext",
                                           L"note.TXT", L"link.lnk", L"site.url", L"sub", L"ro"};
  for (const wchar_t* name : {testing::DiskTree::kForeignName, L"report.docx", L"other.docx", L"noext", L"note.TXT"}) {
    WriteFile(folder.path / name, 10);
  }
  std::ofstream(folder.path / L"site.url") << "[InternetShortcut]\r\nURL=http://example.invalid/\r\n";
  fs::create_directory(folder.path / L"sub");
  fs::create_directory(folder.path / L"ro");
  SetFileAttributesW((folder.path / L"ro").c_str(), FILE_ATTRIBUTE_READONLY);
  {
    ComPtr<IShellLinkW> shortcut;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shortcut.put_void()),
              S_OK);
    shortcut->SetPath((folder.path / L"report.docx").c_str());
    shortcut.As<IPersistFile>(IID_IPersistFile)->Save((folder.path / L"link.lnk").c_str(), TRUE);
  }
  const AbsolutePidl pidl = testing::PidlOfPath(folder.path);
  const ComPtr<IShellFolder> shell_folder = GetFolder(pidl.get());
  ASSERT_TRUE(shell_folder);

  for (const bool hidden : {false, true}) {
    const HiddenExtensions setting(hidden);
    testing::BrowseHost host;
    host.tree().SetTreeRoot(pidl.get());
    WaitUntilRead(host);
    EXPECT_EQ(host.list().row_count(), names.size());
    for (const std::wstring& name : names) {
      // What the shell itself says of this one item.
      std::wstring parse = name;
      PIDLIST_RELATIVE parsed = nullptr;
      ASSERT_EQ(shell_folder->ParseDisplayName(nullptr, nullptr, parse.data(), nullptr, &parsed, nullptr), S_OK);
      const ChildPidl child = ChildPidl::Adopt(reinterpret_cast<PITEMID_CHILD>(parsed));
      const AbsolutePidl item = CombinePIDLs(pidl.get(), child.get());
      const std::wstring shown = GetDisplayName(shell_folder.get(), child.get(), SHGDN_INFOLDER);
      const bool link = GetAttributes(shell_folder.get(), child.get(), SFGAO_LINK) != 0;

      const int row = host.RowNamed(shown);
      ASSERT_GE(row, 0) << "hidden " << hidden << ": no row named as the shell names " << fs::path(name).string();
      EXPECT_EQ(host.Cell(row, kFileTypeColumn), GetFileTypeName(item.get())) << row;
      LVITEMW icon{};
      icon.mask = LVIF_IMAGE;
      icon.iItem = row;
      ASSERT_TRUE(ListView_GetItem(host.list_window(), &icon));
      EXPECT_EQ(icon.iImage, GetSysIconIndex(item.get(), SHGFI_SMALLICON)) << row;
      EXPECT_EQ(ListView_GetItemState(host.list_window(), row, LVIS_OVERLAYMASK), link ? INDEXTOOVERLAYMASK(2) : 0u)
          << row;
    }
    host.tree().ClearTree();
    host.list().ClearList();
  }
  SetFileAttributesW((folder.path / L"ro").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace tessaro::shell
