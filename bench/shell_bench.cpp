// Measures the contents list over a folder of 10,000 files (the first screen
// of rows, the whole folder read, a sort by each column, the longest the
// window leaves a sent message unanswered meanwhile), the tree expanding a
// folder of 2,000 subfolders, and the memory a folder of 100,000 files
// takes, each next to the bare shell queries the same items need, in one
// run. Prints the figures and the ratios.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "browse_fixture.h"
#include "pump.h"
#include "shell/shell_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace tessaro;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 10000;
constexpr int kFolders = 2000;
constexpr int kManyFiles = 100000;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double TimeMs(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return MsSince(start);
}

// The folders are made here only when the bench script has not made them.
void Populate(const fs::path& files, const fs::path& folders, const fs::path& many) {
  if (!fs::exists(files / L"f09999.txt")) {
    fs::create_directories(files);
    for (int i = 0; i < kFiles; ++i) {
      wchar_t name[32];
      swprintf(name, 32, L"f%05d.txt", i);
      std::ofstream(files / name) << std::string(static_cast<std::size_t>(i % 3000), 'x');
    }
  }
  if (!fs::exists(folders / L"d01999")) {
    for (int i = 0; i < kFolders; ++i) {
      wchar_t name[32];
      swprintf(name, 32, L"d%05d", i);
      fs::create_directories(folders / name);
    }
  }
  if (!fs::exists(many / L"g099999.txt")) {
    fs::create_directories(many);
    for (int i = 0; i < kManyFiles; ++i) {
      wchar_t name[32];
      swprintf(name, 32, L"g%06d.txt", i);
      CloseHandle(CreateFileW((many / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
  }
}

// What every row of the list would need from the shell, asked of each item.
void BareListQueries(PCIDLIST_ABSOLUTE folder_pidl) {
  const auto folder = shell::GetFolder(folder_pidl);
  ComPtr<IEnumIDList> items;
  if (!folder || folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                                     items.put()) != S_OK) {
    return;
  }
  PITEMID_CHILD next = nullptr;
  while (items->Next(1, &next, nullptr) == S_OK) {
    const shell::ChildPidl rel = shell::ChildPidl::Adopt(next);
    const shell::AbsolutePidl fq = shell::CombinePIDLs(folder_pidl, rel.get());
    shell::GetAttributes(folder.get(), rel.get(), SFGAO_FOLDER | SFGAO_SHARE | SFGAO_LINK);
    shell::GetDisplayName(folder.get(), rel.get(), SHGDN_INFOLDER);
    shell::GetFileTypeName(fq.get());
    shell::GetSysIconIndex(fq.get(), SHGFI_SMALLICON);
    WIN32_FILE_ATTRIBUTE_DATA data;
    GetFileAttributesExW(shell::GetPathFromPIDL(fq.get()).c_str(), GetFileExInfoStandard, &data);
  }
}

// What every folder of the tree would need from the shell, asked of each item.
void BareTreeQueries(PCIDLIST_ABSOLUTE folder_pidl) {
  const auto folder = shell::GetFolder(folder_pidl);
  ComPtr<IEnumIDList> items;
  if (!folder || folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, items.put()) != S_OK) return;
  PITEMID_CHILD next = nullptr;
  while (items->Next(1, &next, nullptr) == S_OK) {
    const shell::ChildPidl rel = shell::ChildPidl::Adopt(next);
    const shell::AbsolutePidl fq = shell::CombinePIDLs(folder_pidl, rel.get());
    shell::GetAttributes(folder.get(), rel.get(), SFGAO_HASSUBFOLDER | SFGAO_SHARE);
    shell::GetDisplayName(folder.get(), rel.get(), SHGDN_INFOLDER);
    shell::GetSysIconIndex(fq.get(), SHGFI_SMALLICON);
    shell::GetSysIconIndex(fq.get(), SHGFI_SMALLICON | SHGFI_OPENICON);
  }
}

// Sends the window a message every few milliseconds from another thread and
// keeps the longest wait for its answer.
class ReplyWatch {
 public:
  explicit ReplyWatch(HWND window) : window_(window), thread_([this] { Run(); }) {}
  ~ReplyWatch() { Stop(); }
  double Stop() {
    stop_ = true;
    // The window's thread answers the last message while the watch ends.
    testing::PumpUntil([this] { return ended_.load(); }, 60000);
    if (thread_.joinable()) thread_.join();
    return worst_ms_;
  }

 private:
  void Run() {
    while (!stop_) {
      const auto start = Clock::now();
      DWORD_PTR answer = 0;
      SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
      worst_ms_ = std::max(worst_ms_, MsSince(start));
      Sleep(5);
    }
    ended_ = true;
  }

  HWND window_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{false};
  double worst_ms_ = 0;
  std::thread thread_;
};

// Private memory committed (the commit charge).
std::size_t CommittedBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return counters.PagefileUsage;
}

void WaitUntilRead(testing::BrowseHost& host) {
  testing::PumpUntil([&] { return !host.list().Reading(); }, 600000);
}

struct Fill {
  double first_screen_ms;
  double whole_ms;
};

// A folder chosen: until its first screen of rows is painted, and until
// every row is read.
Fill FillAndRead(testing::BrowseHost& host, PCIDLIST_ABSOLUTE folder) {
  const shell::ChildPidl rel = shell::CopyItemID(folder, -1);
  const auto start = Clock::now();
  host.list().FillList(folder, rel.get());
  UpdateWindow(host.list_window());
  const double first = MsSince(start);
  WaitUntilRead(host);
  return {first, MsSince(start)};
}

void Report(const char* what, double program, double bare) {
  std::printf("%-44s %9.1f ms   bare queries %9.1f ms   ratio %.4f\n", what, program, bare, program / bare);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Figures appear as they are measured, even if the run is cut short.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  OleInitialize(nullptr);
  {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::path(temp) / L"tessaro-bench";
    const fs::path files = base / L"files";
    const fs::path folders = base / L"folders";
    const fs::path many = base / L"files100k";
    Populate(files, folders, many);

    testing::BrowseHost host;
    ShowWindow(host.window(), SW_SHOW);
    const shell::AbsolutePidl files_pidl = testing::PidlOfPath(files);
    const shell::AbsolutePidl base_pidl = testing::PidlOfPath(base);
    const shell::AbsolutePidl folders_pidl = testing::PidlOfPath(folders);
    const shell::AbsolutePidl many_pidl = testing::PidlOfPath(many);

    // The shell's caches (icons, type names) warmed once for both sides.
    FillAndRead(host, files_pidl.get());
    host.list().ClearList();
    const double bare_list = TimeMs([&] { BareListQueries(files_pidl.get()); });
    std::printf("bare list queries, 10,000 files: %.1f ms\n", bare_list);

    ReplyWatch replies(host.window());
    const Fill fill = FillAndRead(host, files_pidl.get());
    std::printf("list rows: %zu\n", host.list().row_count());
    Report("contents list, first screen of 10,000 files", fill.first_screen_ms, bare_list);
    Report("contents list, 10,000 files read", fill.whole_ms, bare_list);
    double slowest_sort = 0;
    const char* columns[] = {"name", "size", "type", "date"};
    for (int column = 0; column < 4; ++column) {
      for (int order : {0, 1}) {
        host.list().sort_state().key = column;
        host.list().sort_state().order = order;
        const double sort = TimeMs([&] {
          host.list().SortList();
          UpdateWindow(host.list_window());
        });
        slowest_sort = std::max(slowest_sort, sort);
        // Back to the message loop between clicks, as a user's clicks are.
        testing::PumpMessages();
        std::printf("  sorted by %s %s: %.1f ms\n", columns[column], order ? "descending" : "ascending", sort);
      }
    }
    Report("contents list, read and sortable by each", fill.whole_ms + slowest_sort, bare_list);
    std::printf("longest wait for an answer to a sent message meanwhile: %.1f ms\n", replies.Stop());

    HWND tree = host.tree_window();
    const double bare_tree = TimeMs([&] { BareTreeQueries(folders_pidl.get()); });
    std::printf("bare tree queries, 2,000 subfolders: %.1f ms\n", bare_tree);
    // The expansion alone, drawn: re-rooting (which also fills the list) is not timed.
    HTREEITEM root = host.tree().SetTreeRoot(base_pidl.get());
    WaitUntilRead(host);
    HTREEITEM child = TreeView_GetChild(tree, root);
    while (child && host.TreeText(child) != L"folders") child = TreeView_GetNextSibling(tree, child);
    const double expand = TimeMs([&] {
      TreeView_Expand(tree, child, TVE_EXPAND);
      UpdateWindow(tree);
    });
    std::printf("tree records: %zu\n", host.tree().record_count());
    Report("tree expansion, 2,000 subfolders", expand, bare_tree);

    host.tree().ClearTree();
    host.list().ClearList();
    testing::PumpUntil([&] { return host.list().EndingListings() == 0; }, 60000);
    const std::size_t before = CommittedBytes();
    const Fill many_fill = FillAndRead(host, many_pidl.get());
    const std::size_t after = CommittedBytes();
    std::printf("100,000 files: first screen %.1f ms, read %.1f ms, %zu rows\n", many_fill.first_screen_ms,
                many_fill.whole_ms, host.list().row_count());
    std::printf("memory for 100,000 files: %.1f MiB (%.0f bytes a row)\n",
                static_cast<double>(after - before) / (1024.0 * 1024.0),
                static_cast<double>(after - before) / static_cast<double>(std::max<std::size_t>(1, host.list().row_count())));
    host.list().ClearList();
  }
  OleUninitialize();
  return 0;
}
