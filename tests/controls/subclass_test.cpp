// Subclassing of real tree and list windows: repeated subclassing, windows
// destroyed while subclassed, image lists refused only while subclassed, and
// a second party subclassing over ours.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "controls/control_procs.h"
#include "controls/subclass.h"

namespace tessaro {
namespace {

WNDPROC ProcOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

class SubclassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list_ = CreateWindowExW(0, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SHAREIMAGELISTS, 0, 0, 200, 200, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    tree_ = CreateWindowExW(0, WC_TREEVIEWW, L"", 0, 0, 0, 200, 200, nullptr, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
    ASSERT_TRUE(list_ && tree_);
    images_ = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    other_images_ = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
  }
  void TearDown() override {
    if (IsWindow(list_)) DestroyWindow(list_);
    if (IsWindow(tree_)) DestroyWindow(tree_);
    ImageList_Destroy(images_);
    ImageList_Destroy(other_images_);
    EXPECT_EQ(SubclassedWindowCount(), 0u);
  }

  HWND list_ = nullptr;
  HWND tree_ = nullptr;
  HIMAGELIST images_ = nullptr;
  HIMAGELIST other_images_ = nullptr;
};

TEST_F(SubclassTest, SubclassingTwiceKeepsTheFirstAndOneUnsubclassingRestores) {
  const WNDPROC original = ProcOf(list_);
  ASSERT_TRUE(SubclassWindow(list_, &ListWindowProc));
  EXPECT_EQ(GetPropW(list_, L"OldWndProc"), reinterpret_cast<HANDLE>(original));
  EXPECT_TRUE(SubclassWindow(list_, &TreeWindowProc));
  EXPECT_EQ(ProcOf(list_), &ListWindowProc);
  EXPECT_EQ(SubclassedWindowCount(), 1u);

  EXPECT_TRUE(UnsubclassWindow(list_));
  EXPECT_EQ(ProcOf(list_), original);
  EXPECT_EQ(GetPropW(list_, L"OldWndProc"), nullptr);
  EXPECT_FALSE(UnsubclassWindow(list_)) << "a plain window";
  EXPECT_EQ(SubclassedWindowCount(), 0u);
}

TEST_F(SubclassTest, OwnerObjectIsKeptInItsPropertyUntilUnsubclassed) {
  int owner = 0;
  ASSERT_TRUE(SubclassWindow(tree_, &TreeWindowProc, &owner));
  EXPECT_EQ(GetPropW(tree_, L"ObjectPtr"), &owner);
  EXPECT_TRUE(UnsubclassWindow(tree_));
  EXPECT_EQ(GetPropW(tree_, L"ObjectPtr"), nullptr);
}

TEST_F(SubclassTest, AWindowDestroyedWhileSubclassedLeavesTheSet) {
  ASSERT_TRUE(SubclassWindow(list_, &ListWindowProc));
  ASSERT_TRUE(SubclassWindow(tree_, &TreeWindowProc));
  EXPECT_EQ(SubclassedWindowCount(), 2u);
  DestroyWindow(list_);
  EXPECT_EQ(SubclassedWindowCount(), 1u);
  DestroyWindow(tree_);
  EXPECT_EQ(SubclassedWindowCount(), 0u);
}

TEST_F(SubclassTest, ImageListsAreRefusedOnlyWhileSubclassed) {
  ListView_SetImageList(list_, images_, LVSIL_SMALL);
  TreeView_SetImageList(tree_, images_, TVSIL_NORMAL);
  ASSERT_TRUE(SubclassWindow(list_, &ListWindowProc));
  ASSERT_TRUE(SubclassWindow(tree_, &TreeWindowProc));

  EXPECT_EQ(ListView_SetImageList(list_, other_images_, LVSIL_SMALL), nullptr);
  EXPECT_EQ(ListView_GetImageList(list_, LVSIL_SMALL), images_);
  EXPECT_EQ(TreeView_SetImageList(tree_, other_images_, TVSIL_NORMAL), nullptr);
  EXPECT_EQ(TreeView_GetImageList(tree_, TVSIL_NORMAL), images_);
  // Each procedure refuses only its own control's message.
  EXPECT_EQ(SendMessageW(list_, LVM_GETIMAGELIST, LVSIL_SMALL, 0), reinterpret_cast<LRESULT>(images_));

  ASSERT_TRUE(UnsubclassWindow(list_));
  ASSERT_TRUE(UnsubclassWindow(tree_));
  ListView_SetImageList(list_, nullptr, LVSIL_SMALL);
  TreeView_SetImageList(tree_, nullptr, TVSIL_NORMAL);
  EXPECT_EQ(ListView_GetImageList(list_, LVSIL_SMALL), nullptr);
  EXPECT_EQ(TreeView_GetImageList(tree_, TVSIL_NORMAL), nullptr);
}

LRESULT CALLBACK LaterPartyProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, L"LaterParty"));
  return CallWindowProcW(previous, window, message, wparam, lparam);
}

TEST_F(SubclassTest, AProcedureInstalledOverOursMustGoFirst) {
  const WNDPROC original = ProcOf(list_);
  ASSERT_TRUE(SubclassWindow(list_, &ListWindowProc));
  const LONG_PTR ours = SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterPartyProc));
  SetPropW(list_, L"LaterParty", reinterpret_cast<HANDLE>(ours));

  EXPECT_FALSE(UnsubclassWindow(list_)) << "would cut the later procedure out";
  EXPECT_EQ(ProcOf(list_), &LaterPartyProc);
  // Messages still pass through both procedures to the control.
  EXPECT_EQ(ListView_SetImageList(list_, images_, LVSIL_SMALL), nullptr);
  EXPECT_EQ(ListView_GetImageList(list_, LVSIL_SMALL), nullptr);

  SetWindowLongPtrW(list_, GWLP_WNDPROC, ours);
  RemovePropW(list_, L"LaterParty");
  EXPECT_TRUE(UnsubclassWindow(list_));
  EXPECT_EQ(ProcOf(list_), original);
}

}  // namespace
}  // namespace tessaro
