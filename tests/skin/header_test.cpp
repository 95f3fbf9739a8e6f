// Column headers read back from the screen: item faces at rest, under the
// cursor and pressed, released over the header and away from it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "pump.h"
#include "skin/header.h"
#include "skin/image_pixels.h"
#include "skin/skin.h"
#include "skin/window_props.h"
#include "skin_fixture.h"

namespace tessaro::skin {
namespace {

using testing::ClientPixel;

constexpr int kItemWidth = 100;

// The fill of an item's face, away from its edges and its caption.
COLORREF FaceFill(int face) { return ImagePixel(SkinImage::HeaderFaces, 3 * face + 1, 2); }

class HeaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    header_ = form_.Add(WC_HEADERW, HDS_BUTTONS | HDS_HORZ, L"", 10, 10, 350, 24);
    for (const wchar_t* text : {L"名称", L"大小", L"类型"}) {
      HDITEMW item{};
      item.mask = HDI_TEXT | HDI_WIDTH;
      item.cxy = kItemWidth;
      item.pszText = const_cast<wchar_t*>(text);
      SendMessageW(header_, HDM_INSERTITEMW, 100, reinterpret_cast<LPARAM>(&item));
    }
    ASSERT_TRUE(SkinWindow(form_.form()));
    UpdateWindow(form_.form());
  }
  void TearDown() override {
    DestroyWindow(form_.form());
    EXPECT_EQ(AttachedWindowCount(), 0);
  }
  COLORREF ItemFill(int index) const { return ClientPixel(header_, kItemWidth * index + 5, 2); }
  void ExpectFaces(int first, int second, int third) const {
    EXPECT_EQ(ItemFill(0), FaceFill(first));
    EXPECT_EQ(ItemFill(1), FaceFill(second));
    EXPECT_EQ(ItemFill(2), FaceFill(third));
  }
  int Property(const wchar_t* name) const { return static_cast<int>(props::Read(header_, name)); }
  void Send(UINT message, WPARAM keys, int x) const { SendMessageW(header_, message, keys, MAKELPARAM(x, 10)); }
  // Whether the cursor could be put over the header, or far from it.
  bool PutCursor(bool over) const {
    RECT rect{};
    GetWindowRect(header_, &rect);
    const POINT target = over ? POINT{rect.left + 150, rect.top + 10} : POINT{rect.left + 150, rect.bottom + 200};
    // The display reports pointer moves late, and a late one can move the
    // cursor back: the position must hold after the moves are handled.
    for (int attempt = 0; attempt < 5; ++attempt) {
      SetCursorPos(target.x, target.y);
      ::tessaro::testing::PumpUntil([] { return false; }, 100);
      POINT now{};
      if (GetCursorPos(&now) && now.x == target.x && now.y == target.y) return true;
    }
    return false;
  }

  testing::SkinnedForm form_;
  HWND header_ = nullptr;
};

TEST_F(HeaderTest, TheItemUnderTheCursorHoversAndOnlyItsNeighbourIsRepainted) {
  ExpectFaces(kItemNormal, kItemNormal, kItemNormal);
  EXPECT_EQ(HeaderItemAt(header_, 0), 0);
  EXPECT_EQ(HeaderItemAt(header_, 150), 1);
  EXPECT_EQ(HeaderItemAt(header_, 340), -1);  // beyond the last item

  Send(WM_MOUSEMOVE, 0, 150);
  EXPECT_EQ(Property(props::kHoverIndex), 1);
  ExpectFaces(kItemNormal, kItemHover, kItemNormal);
  Send(WM_MOUSEMOVE, 0, 250);
  EXPECT_EQ(Property(props::kHoverIndex), 2);
  ExpectFaces(kItemNormal, kItemNormal, kItemHover);

  // Pressed, then dragged across: the pressed item keeps its face.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 250);
  EXPECT_EQ(Property(props::kPressedIndex), 2);
  ExpectFaces(kItemNormal, kItemNormal, kItemPressed);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 150);
  ExpectFaces(kItemNormal, kItemNormal, kItemPressed);
  EXPECT_EQ(Property(props::kHoverIndex), 2);
  ReleaseCapture();

  Send(WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Property(props::kHoverIndex), -1);
  EXPECT_EQ(Property(props::kPressedIndex), -1);
  EXPECT_EQ(Property(props::kMouseFlag), 0);
  ExpectFaces(kItemNormal, kItemNormal, kItemNormal);
}

TEST_F(HeaderTest, AReleasedItemHoversOverTheHeaderAndRestsAwayFromIt) {
  if (!PutCursor(true)) GTEST_SKIP() << "the cursor cannot be placed on this display";
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 150);
  ExpectFaces(kItemNormal, kItemPressed, kItemNormal);
  Send(WM_LBUTTONUP, 0, 150);
  EXPECT_EQ(Property(props::kPressedIndex), -1);
  ExpectFaces(kItemNormal, kItemHover, kItemNormal);

  ASSERT_TRUE(PutCursor(false));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 150);
  Send(WM_LBUTTONUP, 0, 150);
  ExpectFaces(kItemNormal, kItemNormal, kItemNormal);
}

TEST_F(HeaderTest, AHeaderWithoutItemsIsBackgroundAndCannotBePressed) {
  while (SendMessageW(header_, HDM_DELETEITEM, 0, 0)) {
  }
  RedrawWindow(header_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(ItemFill(1), FaceFill(kItemNormal));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 150);
  EXPECT_EQ(Property(props::kPressedIndex), -1);
  Send(WM_LBUTTONUP, 0, 150);
  PaintHeaderItem(header_, nullptr, -1, kItemPressed);  // nothing to paint
}

}  // namespace
}  // namespace tessaro::skin
