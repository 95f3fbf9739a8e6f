// The main window as the program shows it: layout, captions, fonts, menus and
// the state right after start-up.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "app/application.h"
#include "app/form1.h"
#include "app/form1_layout.h"
#include "app/form1_menu.h"
#include "app/twips.h"
#include "controls/button_font.h"
#include "controls/subclass.h"
#include "menu_reader.h"
#include "pump.h"
#include "skin/skin.h"

namespace tessaro {
namespace {

using namespace form1;

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

RECT BoxInParent(HWND control) {
  RECT box{};
  GetWindowRect(control, &box);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&box), 2);
  return box;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = std::make_unique<Application>([this] { ended_ = true; });
    ASSERT_TRUE(app_->Start());
    testing::PumpMessages();
    form_ = &app_->main_window();
  }
  void TearDown() override { app_.reset(); }

  HWND Control(int id) const { return form_->Control(id); }

  std::unique_ptr<Application> app_;
  Form1* form_ = nullptr;
  bool ended_ = false;
};

TEST_F(MainWindowTest, CaptionAndClientArea) {
  EXPECT_EQ(TextOf(form_->hwnd()), L"Tessaro");
  RECT client{};
  GetClientRect(form_->hwnd(), &client);
  const int dpi = ScreenDpi();
  EXPECT_EQ(client.right, TwipsToPixels(11280, dpi));
  EXPECT_EQ(client.bottom, TwipsToPixels(8160, dpi));
}

TEST_F(MainWindowTest, EveryControlSitsWhereTheLayoutPutsIt) {
  const int dpi = ScreenDpi();
  for (const ControlLayout& row : kLayout) {
    HWND control = Control(row.id);
    ASSERT_NE(control, nullptr) << row.name;
    const RECT expected = ResolvePixels(kLayout, row, dpi);
    const RECT actual = BoxInParent(control);
    EXPECT_EQ(actual.left, expected.left) << row.name;
    EXPECT_EQ(actual.top, expected.top) << row.name;
    EXPECT_EQ(actual.right, expected.right) << row.name;
    EXPECT_EQ(actual.bottom, expected.bottom) << row.name;
    EXPECT_TRUE(IsWindowVisible(control)) << row.name;
  }
}

TEST_F(MainWindowTest, PixelPositionsAt96Dpi) {
  if (ScreenDpi() != 96) GTEST_SKIP() << "checked in the 96 DPI prefix";
  struct Expected { int id; RECT box; };
  const Expected cases[] = {
      {Label5, {24, 8, 185, 25}},
      {TreeView1, {24, 24, 225, 377}},
      {Check1, {40, 424, 249, 441}},    // inside Frame1
      {Text3, {576, 456, 605, 474}},    // in the gap of Option2's caption
      {StyleButton9, {656, 496, 729, 521}},
      {vsOrder, {712, 208, 729, 377}},
  };
  for (const Expected& c : cases) {
    const RECT box = BoxInParent(Control(c.id));
    EXPECT_EQ(box.left, c.box.left) << c.id;
    EXPECT_EQ(box.top, c.box.top) << c.id;
    EXPECT_EQ(box.right, c.box.right) << c.id;
    EXPECT_EQ(box.bottom, c.box.bottom) << c.id;
  }
}

TEST_F(MainWindowTest, ControlsHaveTheirCaptionsAndClasses) {
  for (const ControlLayout& row : kLayout) {
    HWND control = Control(row.id);
    const std::wstring cls = ClassOf(control);
    switch (row.kind) {
      case ControlKind::TreeView: EXPECT_EQ(cls, WC_TREEVIEWW); break;
      case ControlKind::ListView:
      case ControlKind::ReportListView: EXPECT_EQ(cls, WC_LISTVIEWW); break;
      case ControlKind::StyleButton: EXPECT_EQ(cls, L"StyleButton"); break;
      case ControlKind::TextBox: EXPECT_EQ(_wcsicmp(cls.c_str(), L"Edit"), 0); break;
      default: break;
    }
    if (row.kind != ControlKind::TreeView && row.kind != ControlKind::ListView &&
        row.kind != ControlKind::ReportListView && row.kind != ControlKind::VScrollBar) {
      EXPECT_EQ(TextOf(control), row.caption) << row.name;
    }
  }
  EXPECT_EQ(TextOf(Control(Option2)), L"平均分割为      文件");
  EXPECT_EQ(TextOf(Control(Frame1)), L"输出 ");
}

TEST_F(MainWindowTest, ControlsOverOthersTakeTheClicks) {
  // A control laid over another must be on top of it, or the one beneath
  // takes its clicks: the count box inside Option2's caption, the check
  // boxes that title the option frames, the split path over the output frame.
  for (int id : {Text3, Check5, Check6, Text2, StyleButton1, Check1}) {
    const RECT box = BoxInParent(Control(id));
    const POINT centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    EXPECT_EQ(ChildWindowFromPointEx(form_->hwnd(), centre, CWP_SKIPINVISIBLE), Control(id)) << id;
  }
}

TEST_F(MainWindowTest, PathBoxesUseSongTi10AndAHalfPoints) {
  const int dpi = ScreenDpi();
  for (int id : {Text1, Text2}) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(Control(id), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW log{};
    ASSERT_TRUE(GetObjectW(font, sizeof(log), &log));
    EXPECT_STREQ(log.lfFaceName, L"宋体");
    EXPECT_EQ(log.lfHeight, -MulDiv(105, dpi, 720));
    EXPECT_EQ(log.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(log.lfWeight, FW_NORMAL);
  }
}

TEST_F(MainWindowTest, MenuBarIsTheMenuTable) {
  const auto rows = testing::ReadMenu(GetMenu(form_->hwnd()));
  ASSERT_EQ(rows.size(), std::size(kMenu));
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].id, kMenu[i].id) << i;
    EXPECT_EQ(rows[i].text, MenuText(kMenu[i])) << i;
    EXPECT_EQ(rows[i].level, kMenu[i].level) << i;
  }
}

TEST_F(MainWindowTest, StartUpState) {
  EXPECT_EQ(TextOf(Control(Label1)), L"0");
  for (int id : {Check2, Check3, Check4, Check7, Option1, Option2, Text3}) {
    EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
  }
  for (int id : {Check5, Check6, Check1}) {
    EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;
    EXPECT_EQ(SendMessageW(Control(id), BM_GETCHECK, 0, 0), BST_UNCHECKED) << id;
  }
  EXPECT_EQ(SendMessageW(Control(Option1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Control(Option2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(TextOf(Control(Text1)).empty());
  EXPECT_TRUE(TextOf(Control(Text2)).empty());
  EXPECT_EQ(form_->order_bar().minimum(), 1);
  EXPECT_EQ(form_->order_bar().maximum(), 0);
  EXPECT_EQ(SendMessageW(Control(ListView2), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(MainWindowTest, ListsAndTreeArePreparedForBrowsing) {
  for (int id : {ListView1, ListView2}) {
    const auto ex = static_cast<DWORD>(SendMessageW(Control(id), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES) << id;
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT) << id;
    EXPECT_FALSE(ex & LVS_EX_CHECKBOXES) << id;
  }
  EXPECT_EQ(form_->list_handle(), Control(ListView1));
  EXPECT_EQ(form_->tree_handle(), Control(TreeView1));
  const LONG_PTR list_style = GetWindowLongPtrW(Control(ListView1), GWL_STYLE);
  EXPECT_TRUE(list_style & LVS_SHAREIMAGELISTS);
  EXPECT_TRUE(list_style & LVS_SHOWSELALWAYS);
  EXPECT_FALSE(list_style & (LVS_SINGLESEL | LVS_EDITLABELS | WS_BORDER));
  const LONG_PTR tree_style = GetWindowLongPtrW(Control(TreeView1), GWL_STYLE);
  EXPECT_TRUE(tree_style & TVS_SHOWSELALWAYS);
  EXPECT_FALSE(tree_style & TVS_EDITLABELS);
  EXPECT_EQ(SendMessageW(Control(TreeView1), TVM_GETINDENT, 0, 0), 19);
}

TEST_F(MainWindowTest, AddedDocumentsListHasItsTwoColumns) {
  HWND list = Control(ListView2);
  const int dpi = ScreenDpi();
  const wchar_t* captions[] = {L"文件名称", L"文件路径"};
  const int widths[] = {TwipsToPixels(1440, dpi), TwipsToPixels(5000, dpi)};
  for (int i = 0; i < 2; ++i) {
    wchar_t text[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = 64;
    ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(text, captions[i]);
    EXPECT_EQ(column.cx, widths[i]);
  }
  EXPECT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & LVS_REPORT);
}

TEST_F(MainWindowTest, WindowIsCentredAndResizingMovesNothing) {
  RECT window{};
  GetWindowRect(form_->hwnd(), &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);

  const RECT before = BoxInParent(Control(StyleButton9));
  SetWindowPos(form_->hwnd(), nullptr, 0, 0, width + 200, height + 150, SWP_NOMOVE | SWP_NOZORDER);
  testing::PumpMessages();
  const RECT after = BoxInParent(Control(StyleButton9));
  EXPECT_EQ(before.left, after.left);
  EXPECT_EQ(before.top, after.top);
  EXPECT_FALSE(GetWindowLongPtrW(form_->hwnd(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
}

TEST_F(MainWindowTest, F5ReachesTheWindowAsTheRefreshCommand) {
  MSG msg{form_->hwnd(), WM_KEYDOWN, VK_F5, 0x003F0001, 0, {}};
  EXPECT_TRUE(app_->PreTranslate(msg));
}

bool Skinned(HWND window) { return GetPropW(window, L"PROCADDR") != nullptr; }

TEST_F(MainWindowTest, TheSkinCoversEveryControlButLeavesTheButtonControlsPainting) {
  EXPECT_TRUE(Skinned(form_->hwnd()));
  EXPECT_TRUE(Skinned(Control(Check1)));  // inside a frame: descendants too
  EXPECT_TRUE(Skinned(Control(Option1)));
  EXPECT_TRUE(Skinned(Control(ListView1)));
  EXPECT_TRUE(Skinned(Control(TreeView1)));
  // Every window is attached and counted once, the contents list's header
  // too, which the list makes after load when it turns to report view.
  struct Census {
    int attached = 0;
    std::wstring others;
  } census;
  EnumChildWindows(
      form_->hwnd(),
      [](HWND window, LPARAM data) {
        auto& census = *reinterpret_cast<Census*>(data);
        if (Skinned(window)) {
          ++census.attached;
        } else {
          wchar_t name[64] = {};
          GetClassNameW(window, name, 64);
          census.others += name;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&census));
  EXPECT_EQ(skin::AttachedWindowCount(), census.attached + 1);
  EXPECT_EQ(census.others, L"");
  // The program's own button control keeps its procedure's painting.
  EXPECT_EQ(GetPropW(Control(StyleButton1), L"0HDC"), nullptr);
  EXPECT_EQ(GetPropW(Control(StyleButton1), L"OLDSTYLE"), nullptr);

  // Closing takes the skin and the tree and list subclassing off together.
  app_.reset();
  EXPECT_EQ(skin::AttachedWindowCount(), 0);
  EXPECT_FALSE(skin::SkinInitialised());
  EXPECT_EQ(SubclassedWindowCount(), 0u);
}

}  // namespace
}  // namespace tessaro
