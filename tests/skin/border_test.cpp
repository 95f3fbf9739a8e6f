// Flat borders read back from real windows: a list view's sunken edge, with
// and without a scroll bar, enabled and disabled, and a combo box's list.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "pump.h"
#include "skin/skin.h"
#include "skin/skin_colors.h"
#include "skin/window_props.h"
#include "skin_fixture.h"

namespace tessaro::skin {
namespace {

using testing::FramePixel;

void RedrawFrame(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

class BorderTest : public ::testing::Test {
 protected:
  void TearDown() override {
    DestroyWindow(form_.form());
    EXPECT_EQ(AttachedWindowCount(), 0);
  }
  testing::SkinnedForm form_;
};

TEST_F(BorderTest, ASunkenEdgeBecomesOneFlatRingPaleWhileDisabled) {
  const HWND list = form_.Add(WC_LISTVIEWW, LVS_REPORT, L"", 10, 10, 200, 120);
  SetWindowLongPtrW(list, GWL_EXSTYLE, GetWindowLongPtrW(list, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  SetWindowPos(list, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  const HWND scrolled = form_.Add(L"Edit", WS_VSCROLL | ES_MULTILINE, L"", 220, 10, 120, 120);
  SetWindowLongPtrW(scrolled, GWL_EXSTYLE, GetWindowLongPtrW(scrolled, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  SetWindowPos(scrolled, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  const HWND plain = form_.Add(L"Static", SS_BLACKRECT, L"", 10, 140, 50, 30);
  UpdateWindow(form_.form());
  const COLORREF plain_corner = FramePixel(plain, 0, 0);
  ASSERT_TRUE(SkinWindow(form_.form()));

  for (const bool enabled : {true, false}) {
    EnableWindow(list, enabled);
    EnableWindow(scrolled, enabled);
    RedrawFrame(list);
    RedrawFrame(scrolled);
    const COLORREF border = enabled ? kBorderEnabled : kBorderDisabled;
    for (const HWND window : {list, scrolled}) {
      EXPECT_EQ(FramePixel(window, 0, 60), border);
      EXPECT_EQ(FramePixel(window, 60, 0), border);
      EXPECT_EQ(FramePixel(window, 60, 119), border);
      EXPECT_EQ(FramePixel(window, 1, 60), kWhite);  // the rest of the edge
      EXPECT_EQ(FramePixel(window, 60, 1), kWhite);
    }
    EXPECT_EQ(FramePixel(list, 199, 60), border);
    EXPECT_EQ(FramePixel(list, 198, 60), kWhite);
  }
  // Without a client edge nothing is drawn over the window.
  RedrawFrame(plain);
  EXPECT_EQ(FramePixel(plain, 0, 0), plain_corner);
}

TEST_F(BorderTest, AComboBoxListIsSkinnedWithTwoRingsWhenItFirstShows) {
  const HWND combo = form_.Add(WC_COMBOBOXW, CBS_DROPDOWNLIST, L"", 10, 10, 150, 200);
  for (const wchar_t* item : {L"甲", L"乙", L"丙"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  ASSERT_TRUE(SkinWindow(form_.form()));
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  EXPECT_EQ(props::Read(info.hwndList, props::kProcAddr), 0);

  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  ::tessaro::testing::PumpMessages();
  EXPECT_NE(props::Read(info.hwndList, props::kProcAddr), 0);
  RedrawWindow(info.hwndList, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(FramePixel(info.hwndList, 0, 10), kBorderEnabled);
  EXPECT_EQ(FramePixel(info.hwndList, 1, 10), kWhite);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

}  // namespace
}  // namespace tessaro::skin
