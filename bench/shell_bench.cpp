// Measures filling the contents list with a folder of 10,000 files and
// expanding a tree folder of 2,000 subfolders, next to the bare shell queries
// the same items need, in the same run. Prints the figures and the ratios.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "browse_fixture.h"
#include "shell/shell_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace tessaro;

constexpr int kFiles = 10000;
constexpr int kFolders = 2000;
// Each side once after a warm-up: a round of 10,000 rows takes minutes under Wine.
constexpr int kRounds = 1;

double BestMs(const std::function<void()>& work) {
  double best = 1e30;
  for (int i = 0; i < kRounds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

void Populate(const fs::path& files, const fs::path& folders) {
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
}

// What every row of the list needs from the shell, without the list.
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

// What every folder of the tree needs from the shell, without the tree.
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

void Report(const char* what, double program, double bare) {
  std::printf("%-40s %9.1f ms   bare queries %9.1f ms   ratio %.2f\n", what, program, bare, program / bare);
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
    Populate(files, folders);

    testing::BrowseHost host;
    const shell::AbsolutePidl files_pidl = testing::PidlOfPath(files);
    const shell::AbsolutePidl base_pidl = testing::PidlOfPath(base);
    const shell::AbsolutePidl folders_pidl = testing::PidlOfPath(folders);
    const shell::ChildPidl files_rel = shell::CopyItemID(files_pidl.get(), -1);

    // Warm the shell's caches (icons, type names) once for both sides.
    BareListQueries(files_pidl.get());
    const double bare_list = BestMs([&] { BareListQueries(files_pidl.get()); });
    std::printf("bare list queries: %.1f ms\n", bare_list);
    const double list = BestMs([&] { host.list().FillList(files_pidl.get(), files_rel.get()); });
    std::printf("list rows: %zu\n", host.list().row_count());
    Report("contents list, 10,000 files", list, bare_list);

    HWND tree = host.tree_window();
    BareTreeQueries(folders_pidl.get());
    const double bare_tree = BestMs([&] { BareTreeQueries(folders_pidl.get()); });
    std::printf("bare tree queries: %.1f ms\n", bare_tree);
    // The expansion alone: re-rooting (which also fills the list) is not timed.
    double expand_only = 1e30;
    for (int i = 0; i < kRounds; ++i) {
      HTREEITEM root = host.tree().SetTreeRoot(base_pidl.get());
      HTREEITEM child = TreeView_GetChild(tree, root);
      while (child && host.TreeText(child) != L"folders") child = TreeView_GetNextSibling(tree, child);
      const auto start = std::chrono::steady_clock::now();
      TreeView_Expand(tree, child, TVE_EXPAND);
      const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
      expand_only = std::min(expand_only, took.count());
    }
    std::printf("tree records: %zu\n", host.tree().record_count());
    Report("tree expansion, 2,000 subfolders", expand_only, bare_tree);
  }
  OleUninitialize();
  return 0;
}
