// The folder tree and the contents list over a folder tree the test builds
// on disk, every item list counted.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "browse_fixture.h"
#include "counting_allocator.h"
#include "shell/list_columns.h"
#include "shell/shell_folder.h"

namespace tessaro::shell {
namespace {

using testing::DiskTree;

class FolderBrowseTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { disk_ = new DiskTree(); }
  static void TearDownTestSuite() {
    delete disk_;
    disk_ = nullptr;
  }
  void SetUp() override {
    allocator_ = std::make_unique<testing::CountingAllocator>();
    host_ = std::make_unique<testing::BrowseHost>();
    root_pidl_ = testing::PidlOfPath(disk_->root);
    ASSERT_TRUE(root_pidl_);
  }
  void TearDown() override {
    root_pidl_.reset();
    host_.reset();
    // Every list the tree, the list and the test made has been freed, once.
    EXPECT_EQ(allocator_->live(), 0u);
    EXPECT_EQ(allocator_->bad_frees(), 0u);
    allocator_.reset();
  }

  HTREEITEM Root() const { return TreeView_GetRoot(host_->tree_window()); }
  HWND tree() const { return host_->tree_window(); }

  static DiskTree* disk_;
  std::unique_ptr<testing::CountingAllocator> allocator_;
  std::unique_ptr<testing::BrowseHost> host_;
  AbsolutePidl root_pidl_;
};

DiskTree* FolderBrowseTest::disk_ = nullptr;

TEST_F(FolderBrowseTest, RootIsSelectedExpandedAndShowsEveryFolderSortedHiddenIncluded) {
  HTREEITEM root = host_->tree().SetTreeRoot(root_pidl_.get());
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(TreeView_GetSelection(tree()), root);
  EXPECT_TRUE(TreeView_GetItemState(tree(), root, TVIS_EXPANDED) & TVIS_EXPANDED);
  EXPECT_EQ(host_->TreeText(root), disk_->root.filename().wstring());
  EXPECT_EQ(host_->ChildTexts(root), (std::vector<std::wstring>{L"A", L"B", L"H"}));
  // One record per item: the root and its three folders.
  EXPECT_EQ(host_->tree().record_count(), 4u);

  // Selecting the root filled the list with its contents.
  EXPECT_GE(host_->list().row_count(), 9u);
  EXPECT_GE(host_->RowNamed(L"A"), 0);
  EXPECT_EQ(ListView_GetNextItem(host_->list_window(), -1, LVNI_FOCUSED | LVNI_SELECTED), 0);
}

TEST_F(FolderBrowseTest, ExpandingLoadsChildrenOrRemovesTheButton) {
  HTREEITEM root = host_->tree().SetTreeRoot(root_pidl_.get());
  HTREEITEM a = host_->ChildNamed(root, L"A");
  HTREEITEM b = host_->ChildNamed(root, L"B");
  HTREEITEM h = host_->ChildNamed(root, L"H");
  ASSERT_TRUE(a && b && h);

  TreeView_Expand(tree(), a, TVE_EXPAND);
  EXPECT_EQ(host_->ChildTexts(a), std::vector<std::wstring>{L"A1"});
  TreeView_Expand(tree(), h, TVE_EXPAND);
  EXPECT_EQ(host_->ChildTexts(h), std::vector<std::wstring>{L"H1"}) << "hidden subfolders show";

  TreeView_Expand(tree(), b, TVE_EXPAND);
  EXPECT_TRUE(host_->ChildTexts(b).empty());
  TVITEMW item{};
  item.mask = TVIF_CHILDREN;
  item.hItem = b;
  ASSERT_TRUE(TreeView_GetItem(tree(), &item));
  EXPECT_EQ(item.cChildren, 0) << "a folder without subfolders loses its button";
  // It can still be selected, and shows its (empty) contents.
  TreeView_SelectItem(tree(), b);
  EXPECT_EQ(host_->list().row_count(), 0u);
}

TEST_F(FolderBrowseTest, ListShowsSizesTypesDatesAndOverlays) {
  host_->tree().SetTreeRoot(root_pidl_.get());
  HWND list = host_->list_window();
  HWND header = ListView_GetHeader(list);
  ASSERT_EQ(Header_GetItemCount(header), 4) << "a file-system folder without details: four columns";
  LVCOLUMNW size_column{};
  size_column.mask = LVCF_FMT;
  ASSERT_TRUE(ListView_GetColumn(list, kFileSizeColumn, &size_column));
  EXPECT_EQ(size_column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);

  struct Expected { const wchar_t* name; const wchar_t* size; };
  const Expected files[] = {
      {L"zero.bin", L"0KB"}, {L"one.bin", L"1KB"}, {L"kb.bin", L"2KB"}, {L"huge.bin", L"5,242,880KB"}};
  for (const Expected& file : files) {
    const int row = host_->RowNamed(file.name);
    ASSERT_GE(row, 0) << file.name;
    EXPECT_EQ(host_->Cell(row, kFileSizeColumn), file.size) << file.name;
    EXPECT_FALSE(host_->Cell(row, kFileTypeColumn).empty()) << file.name;
    EXPECT_FALSE(host_->Cell(row, kFileDateColumn).empty()) << file.name;
  }
  const int folder = host_->RowNamed(L"A");
  ASSERT_GE(folder, 0);
  EXPECT_TRUE(host_->Cell(folder, kFileSizeColumn).empty()) << "folders have no size";
  EXPECT_TRUE(host_->Cell(folder, kFileDateColumn).empty());

  // The name outside the ANSI code page arrives whole.
  EXPECT_GE(host_->RowNamed(testing::DiskTree::kForeignName), 0);
  EXPECT_GE(host_->RowNamed(L"H"), 0) << "hidden items are listed";

  const auto names = host_->RowNames();
  const auto link = std::find_if(names.begin(), names.end(), [](const std::wstring& n) {
    return n.rfind(L"link", 0) == 0;
  });
  ASSERT_NE(link, names.end());
  const int link_row = static_cast<int>(link - names.begin());
  EXPECT_EQ(ListView_GetItemState(list, link_row, LVIS_OVERLAYMASK), INDEXTOOVERLAYMASK(2));
  EXPECT_EQ(ListView_GetItemState(list, host_->RowNamed(L"one.bin"), LVIS_OVERLAYMASK), 0u);
}

TEST_F(FolderBrowseTest, RowsFollowTheSortStateBothWays) {
  host_->tree().SetTreeRoot(root_pidl_.get());
  std::vector<std::wstring> ascending = host_->RowNames();
  host_->list().sort_state().order = 1;
  host_->list().SortList();
  std::vector<std::wstring> descending = host_->RowNames();
  std::reverse(descending.begin(), descending.end());
  EXPECT_EQ(ascending, descending);
}

TEST_F(FolderBrowseTest, NamesSortAsExplorerShowsThemBothWays) {
  namespace fs = std::filesystem;
  const fs::path pages = disk_->root / L"pages";
  fs::create_directories(pages / L"sub");
  for (const wchar_t* name : {L"10.doc", L"a_2.doc", L"2.doc", L"A_10.doc", L"1.doc"}) {
    CloseHandle(CreateFileW((pages / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  const AbsolutePidl folder = testing::PidlOfPath(pages);
  host_->tree().SetTreeRoot(folder.get());
  const std::vector<std::wstring> ascending = {L"sub", L"1.doc", L"2.doc", L"10.doc", L"a_2.doc", L"A_10.doc"};
  EXPECT_EQ(host_->RowNames(), ascending);
  host_->list().sort_state().order = 1;
  host_->list().SortList();
  EXPECT_EQ(host_->RowNames(), std::vector<std::wstring>(ascending.rbegin(), ascending.rend()));
  host_->tree().ClearTree();
  host_->list().ClearList();
  fs::remove_all(pages);
}

TEST_F(FolderBrowseTest, OpeningAFolderRowEntersItThroughTheTree) {
  HTREEITEM root = host_->tree().SetTreeRoot(root_pidl_.get());
  HWND list = host_->list_window();
  const int row = host_->RowNamed(L"A");
  ASSERT_GE(row, 0);
  RECT box{};
  ListView_GetItemRect(list, row, &box, LVIR_LABEL);
  NMITEMACTIVATE click{};
  click.hdr = {list, 0, static_cast<UINT>(NM_DBLCLK)};
  click.ptAction = {box.left + 2, (box.top + box.bottom) / 2};
  EXPECT_EQ(host_->list().OnNotify(click.hdr), 0);
  HTREEITEM selected = TreeView_GetSelection(tree());
  EXPECT_EQ(TreeView_GetParent(tree(), selected), root);
  EXPECT_EQ(host_->TreeText(selected), L"A");
  EXPECT_EQ(host_->RowNames(), std::vector<std::wstring>{L"A1"});

  // Empty space below the rows opens nothing.
  click.ptAction = {5, 590};
  host_->list().OnNotify(click.hdr);
  EXPECT_EQ(TreeView_GetSelection(tree()), selected);
}

TEST_F(FolderBrowseTest, RefreshBringsExpandedFoldersUpToDateAndRereadsCollapsedOnes) {
  namespace fs = std::filesystem;
  HTREEITEM root = host_->tree().SetTreeRoot(root_pidl_.get());
  HTREEITEM a = host_->ChildNamed(root, L"A");
  HTREEITEM b = host_->ChildNamed(root, L"B");
  TreeView_Expand(tree(), a, TVE_EXPAND);
  TreeView_Expand(tree(), a, TVE_COLLAPSE);
  TreeView_SelectItem(tree(), b);
  fs::create_directory(disk_->root / L"A" / L"A2");
  fs::create_directory(disk_->root / L"C");

  host_->tree().RefreshTree(root);
  EXPECT_EQ(host_->ChildTexts(root), (std::vector<std::wstring>{L"A", L"B", L"C", L"H"}));
  EXPECT_EQ(host_->ChildNamed(root, L"A"), a) << "what stays is kept, not made anew";
  EXPECT_EQ(TreeView_GetSelection(tree()), b);
  EXPECT_TRUE(host_->ChildTexts(a).empty()) << "collapsed: read again on expanding";
  TreeView_Expand(tree(), a, TVE_EXPAND);
  EXPECT_EQ(host_->ChildTexts(a), (std::vector<std::wstring>{L"A1", L"A2"}));

  // Removed folders go, under an expanded folder at any depth; expansion stays.
  fs::remove(disk_->root / L"A" / L"A2");
  fs::remove(disk_->root / L"C");
  host_->tree().RefreshTree(root);
  EXPECT_EQ(host_->ChildTexts(root), (std::vector<std::wstring>{L"A", L"B", L"H"}));
  EXPECT_EQ(host_->ChildTexts(a), std::vector<std::wstring>{L"A1"});
  EXPECT_TRUE(TreeView_GetItemState(tree(), a, TVIS_EXPANDED) & TVIS_EXPANDED);
  EXPECT_EQ(TreeView_GetSelection(tree()), b);
}

TEST_F(FolderBrowseTest, AFolderMadeAfterItsParentWasReadIsEnteredFromTheList) {
  namespace fs = std::filesystem;
  HTREEITEM root = host_->tree().SetTreeRoot(root_pidl_.get());
  fs::create_directory(disk_->root / L"later");
  // The list is read again (the tree's level is not): the new row shows.
  TreeView_SelectItem(tree(), host_->ChildNamed(root, L"B"));
  TreeView_SelectItem(tree(), root);
  const int row = host_->RowNamed(L"later");
  ASSERT_GE(row, 0);
  HWND list = host_->list_window();
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  NMHDR enter{list, 0, static_cast<UINT>(NM_RETURN)};
  host_->list().OnNotify(enter);
  HTREEITEM selected = TreeView_GetSelection(tree());
  EXPECT_EQ(host_->TreeText(selected), L"later");
  EXPECT_EQ(TreeView_GetParent(tree(), selected), root);
  host_->tree().ClearTree();
  host_->list().ClearList();
  fs::remove(disk_->root / L"later");
}

TEST_F(FolderBrowseTest, ReRootingFreesEveryRecordOfTheOldTree) {
  HTREEITEM root = host_->tree().SetTreeRoot(root_pidl_.get());
  TreeView_Expand(tree(), host_->ChildNamed(root, L"A"), TVE_EXPAND);
  TreeView_Expand(tree(), host_->ChildNamed(root, L"H"), TVE_EXPAND);
  EXPECT_EQ(host_->tree().record_count(), 6u);
  const std::size_t live_before = allocator_->live();

  const AbsolutePidl a = testing::PidlOfPath(disk_->root / L"A");
  HTREEITEM new_root = host_->tree().SetTreeRoot(a.get());
  ASSERT_NE(new_root, nullptr);
  EXPECT_EQ(TreeView_GetRoot(tree()), new_root);
  EXPECT_EQ(TreeView_GetNextSibling(tree(), new_root), nullptr) << "the only top-level item";
  EXPECT_EQ(host_->TreeText(new_root), L"A");
  EXPECT_EQ(host_->tree().record_count(), 2u);
  // Six records (two lists each) went, two came; the list now holds one row
  // list instead of the root's.
  EXPECT_LT(allocator_->live(), live_before);

  host_->tree().ClearTree();
  EXPECT_EQ(host_->tree().record_count(), 0u);
}

TEST_F(FolderBrowseTest, FolderPathsComeBackWholePastMaxPath) {
  std::wstring path = disk_->root.wstring();
  while (path.size() < 300) {
    path += L"\\" + std::wstring(40, L'长');
    CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
  }
  const AbsolutePidl deep = testing::PidlOfPath(path);
  std::error_code ignored;
  std::filesystem::remove_all(L"\\\\?\\" + (disk_->root / std::wstring(40, L'长')).wstring(), ignored);
  // Wine's shell reaches no item beyond MAX_PATH; Windows does.
  if (!deep) GTEST_SKIP() << "the shell parses no path of 300 characters";
  EXPECT_EQ(GetPathFromPIDL(deep.get()), path);
}

TEST_F(FolderBrowseTest, AFolderThatCannotBeBoundShowsNothingRatherThanTheDesktop) {
  // A namespace item of a class that is not registered.
  const BYTE bytes[] = {20, 0, 0x1F, 0x50, 0x13, 0x57, 0x9A, 0x2B, 0xC4, 0x4E, 0xD1, 0x11,
                        0x8A, 0x3C, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x19, 0, 0};
  const auto* bogus = reinterpret_cast<PCIDLIST_ABSOLUTE>(bytes);
  const ChildPidl rel = CopyItemID(bogus, -1);
  host_->list().FillList(bogus, rel.get());
  EXPECT_EQ(host_->list().row_count(), 0u);
  EXPECT_EQ(ListView_GetItemCount(host_->list_window()), 0);

  HTREEITEM root = host_->tree().SetTreeRoot(bogus);
  ASSERT_NE(root, nullptr);
  EXPECT_TRUE(host_->ChildTexts(root).empty()) << "no desktop folders under an unreachable one";
  EXPECT_EQ(host_->list().row_count(), 0u);
}

TEST_F(FolderBrowseTest, ShellQueriesOfTheNamespace) {
  // Items right under the desktop, and the desktop itself, live in the desktop.
  EXPECT_EQ(GetParentFolder(DesktopPIDL()).get(), GetDesktopFolder());
  EXPECT_EQ(GetFolder(DesktopPIDL()).get(), GetDesktopFolder());
  const ChildPidl first = CopyItemID(root_pidl_.get(), 1);
  EXPECT_EQ(GetParentFolder(reinterpret_cast<PCIDLIST_ABSOLUTE>(first.get())).get(), GetDesktopFolder());

  EXPECT_EQ(GetPathFromPIDL(root_pidl_.get()), disk_->root.wstring());
  PIDLIST_ABSOLUTE controls = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_CONTROLS, &controls), S_OK);
  const AbsolutePidl control_panel = AbsolutePidl::Adopt(controls);
  EXPECT_TRUE(GetPathFromPIDL(control_panel.get()).empty());
  const AbsolutePidl drive = testing::PidlOfPath(L"C:\\");
  EXPECT_EQ(GetPathFromPIDL(drive.get()), L"C:\\");
}

}  // namespace
}  // namespace tessaro::shell
