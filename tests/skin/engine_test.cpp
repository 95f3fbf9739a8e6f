// Attaching and detaching: which windows get what, the engine's count and
// images, and the skin's procedure sharing a window with the subclassing
// of the tree and list windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "controls/subclass.h"
#include "dialog_watcher.h"
#include "pump.h"
#include "skin/skin_state.h"
#include "skin/skin.h"
#include "skin/skin_kind.h"
#include "skin/window_props.h"
#include "skin_fixture.h"

namespace tessaro::skin {
namespace {

using testing::ProcOf;
using testing::SkinnedForm;

bool Attached(HWND window) { return props::Read(window, props::kProcAddr) != 0; }

class SkinEngineTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (IsWindow(form_.form())) DestroyWindow(form_.form());
    EXPECT_EQ(AttachedWindowCount(), 0);
    EXPECT_FALSE(SkinInitialised());
  }
  SkinnedForm form_;
};

TEST(SkinKinds, ClassNamesAndButtonStylesDecideTheKind) {
  EXPECT_EQ(ClassifyClass(L"#32770"), SkinKind::Form);
  EXPECT_EQ(ClassifyClass(L"tessaroform"), SkinKind::Form);
  EXPECT_EQ(ClassifyClass(L"thunderrt6commandbutton"), SkinKind::CommandButton);
  EXPECT_EQ(ClassifyClass(L"combolbox"), SkinKind::DropDownList);
  EXPECT_EQ(ClassifyClass(L"sysheader32"), SkinKind::Header);
  EXPECT_EQ(ClassifyClass(L"apexgrid"), SkinKind::Grid);
  EXPECT_EQ(ClassifyClass(L"apexgridocx8"), SkinKind::Grid);
  EXPECT_EQ(ClassifyClass(L"apexgri"), SkinKind::Other);
  EXPECT_EQ(ClassifyClass(L"combo box"), SkinKind::Other);
  EXPECT_EQ(ClassifyClass(L"stylebutton"), SkinKind::Other);
  EXPECT_EQ(ClassifyClass(L""), SkinKind::Other);

  SkinnedForm form;
  EXPECT_EQ(KindOf(form.form()), SkinKind::Form);
  EXPECT_EQ(KindOf(form.Add(L"BUTTON", BS_PUSHBUTTON)), SkinKind::CommandButton);
  EXPECT_EQ(KindOf(form.Add(L"Button", BS_DEFPUSHBUTTON)), SkinKind::CommandButton);
  EXPECT_EQ(KindOf(form.Add(L"Button", BS_GROUPBOX)), SkinKind::CommandButton);
  EXPECT_EQ(KindOf(form.Add(L"Button", BS_AUTOCHECKBOX)), SkinKind::CheckBox);
  EXPECT_EQ(KindOf(form.Add(L"Button", BS_AUTO3STATE)), SkinKind::CheckBox);
  EXPECT_EQ(KindOf(form.Add(L"Button", BS_AUTORADIOBUTTON)), SkinKind::OptionButton);
  EXPECT_EQ(KindOf(form.Add(WC_COMBOBOXW, CBS_DROPDOWNLIST)), SkinKind::ComboBox);
  EXPECT_EQ(KindOf(form.Add(L"Static", 0)), SkinKind::Other);
}

TEST_F(SkinEngineTest, AFormIsAttachedWithEveryDescendantOnceAndDetachedWhenDestroyed) {
  const HWND push = form_.Add(L"Button", BS_PUSHBUTTON, L"确定");
  const HWND check = form_.Add(L"Button", BS_AUTOCHECKBOX, L"打印");
  const HWND option = form_.Add(L"Button", BS_AUTORADIOBUTTON, L"选项");
  form_.Add(L"Button", BS_GROUPBOX);
  form_.Add(L"Static", 0, L"标签");
  form_.Add(L"Edit", 0);
  form_.Add(L"ScrollBar", SBS_VERT);
  form_.Add(WC_COMBOBOXW, CBS_DROPDOWNLIST);
  const HWND list = form_.Add(WC_LISTVIEWW, LVS_REPORT, L"", 10, 100, 200, 100);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 80;
  column.pszText = const_cast<wchar_t*>(L"文件名称");
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const WNDPROC check_proc = ProcOf(check);
  const int windows = testing::DescendantCount(form_.form()) + 1;
  ASSERT_GE(windows, 11);

  ASSERT_TRUE(SkinWindow(form_.form()));
  EXPECT_TRUE(SkinInitialised());
  EXPECT_TRUE(Skin().images);
  EXPECT_EQ(AttachedWindowCount(), windows);
  EXPECT_EQ(ProcOf(check), &SkinWndProc);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(props::Read(check, props::kProcAddr)), check_proc);
  EXPECT_TRUE(Attached(push));
  EXPECT_TRUE(Attached(option));
  EXPECT_EQ(props::Read(header, props::kHoverIndex), -1);
  EXPECT_EQ(props::Read(header, props::kPressedIndex), -1);

  // Attaching again changes nothing; nor do null handles.
  props::Write(check, props::kOldState, 2);
  EXPECT_FALSE(AttachSkin(check));
  EXPECT_FALSE(SkinWindow(form_.form()));
  EXPECT_EQ(props::Read(check, props::kOldState), 2);
  EXPECT_EQ(AttachedWindowCount(), windows);
  EXPECT_FALSE(AttachSkin(nullptr));
  EXPECT_FALSE(DetachSkin(nullptr));

  // A detached control gets its own procedure back and loses every property.
  ASSERT_TRUE(DetachSkin(check));
  EXPECT_FALSE(DetachSkin(check));
  EXPECT_EQ(ProcOf(check), check_proc);
  EXPECT_FALSE(Attached(check));
  EXPECT_EQ(GetPropW(check, props::kOldState), nullptr);
  EXPECT_EQ(AttachedWindowCount(), windows - 1);

  // Destroying the form detaches everything still attached (checked in
  // TearDown) and empties the engine.
  DestroyWindow(form_.form());
}

TEST_F(SkinEngineTest, TheImagesAreBuiltAgainAfterTheLastWindowLeft) {
  const HWND first = form_.Add(L"Static", 0);
  const HWND second = form_.Add(L"Static", 0);
  ASSERT_TRUE(SkinWindow(first));
  ASSERT_TRUE(SkinWindow(second));
  EXPECT_EQ(AttachedWindowCount(), 2);
  DestroyWindow(first);
  EXPECT_TRUE(SkinInitialised());
  DestroyWindow(second);
  EXPECT_FALSE(SkinInitialised());
  EXPECT_FALSE(Skin().images);

  ASSERT_TRUE(SkinWindow(form_.form()));
  EXPECT_TRUE(SkinInitialised());
  EXPECT_TRUE(Skin().images);
  EXPECT_EQ(AttachedWindowCount(), 1);
}

// Each order of installing the skin and the tree/list subclassing; each
// party's removal restores exactly what it replaced, and the window ends
// with its own procedure.
LRESULT CALLBACK TreeProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return CallPreviousWindowProc(window, message, wparam, lparam);
}

TEST_F(SkinEngineTest, SkinAndSubclassingShareAWindowInEitherOrder) {
  const HWND tree = form_.Add(WC_TREEVIEWW, 0, L"", 10, 10, 150, 150);
  const WNDPROC own = ProcOf(tree);

  // Skin first, subclassing over it, then the skin lets go first.
  ASSERT_TRUE(SkinWindow(tree));
  ASSERT_TRUE(SubclassWindow(tree, &TreeProc));
  ASSERT_TRUE(DetachSkin(tree));
  EXPECT_EQ(ProcOf(tree), &TreeProc);  // not thrown out
  EXPECT_EQ(AttachedWindowCount(), 0);
  EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 0);  // the chain still reaches the tree
  ASSERT_TRUE(UnsubclassWindow(tree));
  EXPECT_EQ(ProcOf(tree), &SkinWndProc);  // what the subclassing replaced
  SendMessageW(tree, TVM_GETCOUNT, 0, 0);
  EXPECT_EQ(ProcOf(tree), own);  // the relay took itself out on the next message
  EXPECT_EQ(GetPropW(tree, props::kPassProc), nullptr);

  // Skin first, subclassing over it, subclassing leaves first.
  ASSERT_TRUE(SkinWindow(tree));
  ASSERT_TRUE(SubclassWindow(tree, &TreeProc));
  ASSERT_TRUE(UnsubclassWindow(tree));
  EXPECT_EQ(ProcOf(tree), &SkinWndProc);
  ASSERT_TRUE(DetachSkin(tree));
  EXPECT_EQ(ProcOf(tree), own);

  // Subclassing first, the skin over it: the subclassing waits for the skin.
  ASSERT_TRUE(SubclassWindow(tree, &TreeProc));
  ASSERT_TRUE(SkinWindow(tree));
  EXPECT_FALSE(UnsubclassWindow(tree));
  ASSERT_TRUE(DetachSkin(tree));
  EXPECT_EQ(ProcOf(tree), &TreeProc);
  ASSERT_TRUE(UnsubclassWindow(tree));
  EXPECT_EQ(ProcOf(tree), own);

  // A relay still in the chain is taken up again by a new attach.
  ASSERT_TRUE(SkinWindow(tree));
  ASSERT_TRUE(SubclassWindow(tree, &TreeProc));
  ASSERT_TRUE(DetachSkin(tree));
  EXPECT_FALSE(AttachSkin(tree));  // below another party: a second hook would loop
  ASSERT_TRUE(UnsubclassWindow(tree));
  ASSERT_TRUE(SkinWindow(tree));
  EXPECT_EQ(ProcOf(tree), &SkinWndProc);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(props::Read(tree, props::kProcAddr)), own);
  EXPECT_EQ(GetPropW(tree, props::kPassProc), nullptr);
  ASSERT_TRUE(DetachSkin(tree));
  EXPECT_EQ(ProcOf(tree), own);
}

TEST_F(SkinEngineTest, AMessageBoxIsSkinnedWhenItTakesTheActivation) {
  ASSERT_TRUE(SkinWindow(form_.form()));
  SetForegroundWindow(form_.form());
  bool box_attached = false;
  int buttons_attached = 0;
  ::tessaro::testing::DialogWatcher watcher(L"提示", [&](HWND box) {
    // Activation reaches the form before the box shows; give it a moment.
    for (int i = 0; i < 100 && !Attached(box); ++i) Sleep(20);
    box_attached = Attached(box);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (GetWindowClass(child) == L"button") buttons_attached += Attached(child);
    }
    ::tessaro::testing::PressButton(box, IDOK);
  });
  MessageBoxW(form_.form(), L"合并成功!", L"提示", MB_OK);
  ASSERT_TRUE(watcher.Finish());
  EXPECT_TRUE(box_attached);
  EXPECT_EQ(buttons_attached, 1);
}

}  // namespace
}  // namespace tessaro::skin
