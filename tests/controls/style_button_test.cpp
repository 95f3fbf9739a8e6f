// A real button in a real parent window, driven by messages.
#include "controls/style_button.h"

#include <windowsx.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/button_font.h"
#include "dib.h"
#include "pump.h"

namespace tessaro {
namespace {

constexpr int kId = 101;
constexpr int W = 100, H = 25;
constexpr COLORREF kBorderBlue = RGB(0, 60, 115);
constexpr COLORREF kRing = RGB(140, 174, 231);
constexpr COLORREF kLeftShading = RGB(235, 235, 234);  // B(G, -5) of the grey palette

// Each event, with "*" when the button showed its pressed look as it was raised.
class Recorder : public StyleButtonEvents {
 public:
  std::vector<std::string> log;
  bool destroy_on_click = false;

  void Click(StyleButton& b) override {
    Add(b, "Click");
    if (destroy_on_click) DestroyWindow(b.hwnd());
  }
  void MouseDown(StyleButton& b, short& button, short&, float&, float&) override {
    Add(b, "MouseDown " + std::to_string(button));
  }
  void MouseUp(StyleButton& b, short& button, short&, float&, float&) override {
    Add(b, "MouseUp " + std::to_string(button));
  }
  void KeyPress(StyleButton& b, short& key) override { Add(b, "KeyPress " + std::to_string(key)); }
  void KeyDown(StyleButton& b, short& key, short&) override { Add(b, "KeyDown " + std::to_string(key)); }
  void KeyUp(StyleButton& b, short& key, short&) override { Add(b, "KeyUp " + std::to_string(key)); }

 private:
  void Add(StyleButton& b, std::string event) {
    if (SendMessageW(b.hwnd(), BM_GETSTATE, 0, 0) & BST_PUSHED) event += "*";
    log.push_back(std::move(event));
  }
};

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND) {
    auto* commands = reinterpret_cast<std::vector<WPARAM>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (commands) commands->push_back(wparam);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

PropertyBag Stored(const std::wstring& caption) {
  return {{L"BTYPE", 3},
          {L"TX", caption},
          {L"ENAB", true},
          {L"FONT", FontSpec{L"宋体", 9.0, FW_NORMAL, false, false, false, GB2312_CHARSET}},
          {L"COLTYPE", 3},
          {L"FOCUSR", true},
          {L"BCOL", 0x00C0C0C0},
          {L"FCOL", 0x00000000}};
}

class StyleButtonWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW host{};
    host.lpfnWndProc = HostProc;
    host.hInstance = GetModuleHandleW(nullptr);
    host.lpszClassName = L"TessaroTestHost";
    RegisterClassW(&host);
    parent_ = CreateWindowExW(0, L"TessaroTestHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(parent_);
    SetWindowLongPtrW(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&commands_));
    SetForegroundWindow(parent_);
    ASSERT_TRUE(StyleButton::Register(GetModuleHandleW(nullptr)));
  }
  void TearDown() override {
    DestroyWindow(parent_);
    testing::PumpMessages();
  }

  StyleButton& Make(const PropertyBag& stored = Stored(L"&Save"), RECT bounds = {10, 10, 10 + W, 10 + H},
                    int id = kId) {
    HWND window = StyleButton::Create(parent_, id, bounds, stored);
    StyleButton* button = StyleButton::FromWindow(window);
    EXPECT_TRUE(button);
    button->SetEvents(&events_);
    return *button;
  }
  static LRESULT Send(const StyleButton& b, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    return SendMessageW(b.hwnd(), message, wparam, lparam);
  }
  static void Mouse(const StyleButton& b, UINT message, WPARAM keys, int x, int y) {
    Send(b, message, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
  }
  static void Key(const StyleButton& b, WPARAM key) {
    Send(b, WM_KEYDOWN, key, 1);
    if (key == VK_SPACE) Send(b, WM_CHAR, L' ', 1);
  }
  static void KeyUp(const StyleButton& b, WPARAM key) { Send(b, WM_KEYUP, key, 0xC0000001); }
  static void LeftClick(const StyleButton& b) {
    Mouse(b, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Mouse(b, WM_LBUTTONUP, 0, 5, 5);
  }
  static bool Pressed(const StyleButton& b) { return Send(b, BM_GETSTATE) & BST_PUSHED; }
  static COLORREF PixelShown(const StyleButton& b, int x, int y) {
    RECT client{};
    GetClientRect(b.hwnd(), &client);
    testing::Dib dib(client.right, client.bottom);
    Send(b, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
    return dib.At(x, y);
  }
  std::vector<WPARAM> Clicks() const { return commands_; }

  HWND parent_ = nullptr;
  Recorder events_;
  std::vector<WPARAM> commands_;
};

const WPARAM kClicked = MAKEWPARAM(kId, BN_CLICKED);
using Log = std::vector<std::string>;

TEST_F(StyleButtonWindowTest, SpacePressAndReleaseClicks) {
  StyleButton& b = Make();
  Key(b, VK_SPACE);
  KeyUp(b, VK_SPACE);
  EXPECT_EQ(events_.log, (Log{"KeyDown 32", "MouseDown 1*", "KeyPress 32*", "KeyUp 32*", "MouseUp 1", "Click"}));
  EXPECT_EQ(Clicks(), std::vector<WPARAM>{kClicked});
}

TEST_F(StyleButtonWindowTest, SpaceWithAnotherKeyReleasedDoesNotClick) {
  StyleButton& b = Make();
  Key(b, VK_SPACE);
  KeyUp(b, 'A');
  Key(b, 'A');
  KeyUp(b, VK_SPACE);
  EXPECT_EQ(events_.log, (Log{"KeyDown 32", "MouseDown 1*", "KeyPress 32*", "KeyUp 65*", "KeyDown 65*", "KeyUp 32*"}));
  EXPECT_TRUE(Clicks().empty());
}

TEST_F(StyleButtonWindowTest, RightButtonShowsNoPressAndStopsTheAccessKey) {
  StyleButton& b = Make();
  Mouse(b, WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
  Mouse(b, WM_RBUTTONUP, 0, 5, 5);
  EXPECT_FALSE(StyleButton::HandleAccessKey(parent_, L's'));
  EXPECT_EQ(events_.log, (Log{"MouseDown 2", "MouseUp 2"}));

  LeftClick(b);
  EXPECT_TRUE(StyleButton::HandleAccessKey(parent_, L'S'));
  EXPECT_FALSE(StyleButton::HandleAccessKey(parent_, L'x'));
  EXPECT_EQ(events_.log, (Log{"MouseDown 2", "MouseUp 2", "MouseDown 1*", "MouseUp 1", "Click", "Click"}));
  EXPECT_EQ(Clicks().size(), 2u);
}

TEST_F(StyleButtonWindowTest, MiddleButtonPressesWithoutClickUntilSpaceRelease) {
  StyleButton& b = Make();
  Mouse(b, WM_MBUTTONDOWN, MK_MBUTTON, 5, 5);
  Mouse(b, WM_MBUTTONUP, 0, 5, 5);
  EXPECT_FALSE(StyleButton::HandleAccessKey(parent_, L's'));
  EXPECT_EQ(events_.log, (Log{"MouseDown 4*", "MouseUp 4"}));
  EXPECT_TRUE(Clicks().empty());

  Key(b, VK_SPACE);
  KeyUp(b, VK_SPACE);
  EXPECT_TRUE(StyleButton::HandleAccessKey(parent_, L's'));
  EXPECT_EQ(Clicks().size(), 2u);
}

TEST_F(StyleButtonWindowTest, LeavingWhileHeldShowsNormalAndReleasingOutsideDoesNotClick) {
  StyleButton& b = Make();
  Mouse(b, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  EXPECT_EQ(GetCapture(), b.hwnd());
  const struct {
    int x, y;
    bool pressed;
  } moves[] = {{-3, 5, false}, {5, 5, true}, {W, 5, false}, {W - 1, H - 1, true}, {5, -1, false}, {5, H, false}};
  for (const auto& m : moves) {
    Mouse(b, WM_MOUSEMOVE, MK_LBUTTON, m.x, m.y);
    EXPECT_EQ(Pressed(b), m.pressed) << m.x << "," << m.y;
  }
  Mouse(b, WM_LBUTTONUP, 0, W + 20, 5);
  EXPECT_FALSE(Pressed(b));
  EXPECT_NE(GetCapture(), b.hwnd());
  EXPECT_TRUE(Clicks().empty());

  // Coming back before the release clicks.
  Mouse(b, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  Mouse(b, WM_MOUSEMOVE, MK_LBUTTON, -3, 5);
  Mouse(b, WM_MOUSEMOVE, MK_LBUTTON, 6, 6);
  Mouse(b, WM_LBUTTONUP, 0, 6, 6);
  EXPECT_EQ(Clicks().size(), 1u);
}

TEST_F(StyleButtonWindowTest, DoubleClickClicksOnce) {
  StyleButton& b = Make();
  LeftClick(b);
  Mouse(b, WM_LBUTTONDBLCLK, MK_LBUTTON, 5, 5);
  Mouse(b, WM_LBUTTONUP, 0, 5, 5);
  EXPECT_EQ(events_.log, (Log{"MouseDown 1*", "MouseUp 1", "Click", "MouseDown 1*", "MouseUp 1"}));
  EXPECT_EQ(Clicks().size(), 1u);
}

TEST_F(StyleButtonWindowTest, ZeroHeightPaintsNothingUntilItGetsAHeight) {
  StyleButton& b = Make(Stored(L"OK"), {10, 10, 10 + W, 10});
  Mouse(b, WM_LBUTTONDOWN, MK_LBUTTON, 5, 0);
  EXPECT_EQ(events_.log, (Log{"MouseDown 1"})) << "raised, but nothing drawn";
  Mouse(b, WM_LBUTTONUP, 0, W + 5, 0);

  SetWindowPos(b.hwnd(), nullptr, 0, 0, W, H, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(PixelShown(b, 10, 0), kBorderBlue);
  Mouse(b, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  EXPECT_TRUE(Pressed(b));
}

TEST_F(StyleButtonWindowTest, StoredValuesAreReadAndWrittenInKeyOrder) {
  StyleButton& b = Make();
  EXPECT_EQ(b.ButtonType(), 3);
  EXPECT_EQ(b.Caption(), L"&Save");
  EXPECT_EQ(b.ColorScheme(), 3);
  EXPECT_EQ(b.BackColor(), RGB(192, 192, 192));
  EXPECT_EQ(b.Font().face, L"宋体");
  EXPECT_EQ(b.AccessKey(), L's');
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(Send(b, WM_GETFONT)), sizeof(font), &font);
  EXPECT_EQ(font.lfHeight, -MulDiv(90, ScreenDpi(), 720));
  EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);

  b.SetShowFocusRect(false);
  b.SetForeColor(RGB(1, 2, 3));
  PropertyBag written;
  b.WriteProperties(written);
  PropertyBag expected = Stored(L"&Save");
  expected.Write(L"FOCUSR", false);
  expected.Write(L"FCOL", 0x00030201);
  ASSERT_EQ(written.entries().size(), expected.entries().size());
  for (size_t i = 0; i < expected.entries().size(); ++i) {
    EXPECT_EQ(written.entries()[i].first, expected.entries()[i].first);
    EXPECT_TRUE(written.entries()[i].second == expected.entries()[i].second) << i;
  }
}

TEST_F(StyleButtonWindowTest, AbsentValuesTakeTheirDefaults) {
  StyleButton& b = Make(PropertyBag{});
  EXPECT_EQ(b.ButtonType(), 2);
  EXPECT_EQ(b.Caption(), L"");
  EXPECT_TRUE(b.Enabled());
  EXPECT_EQ(b.ColorScheme(), 1);
  EXPECT_TRUE(b.ShowFocusRect());
  EXPECT_EQ(b.BackColor(), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(b.ForeColor(), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(b.Font(), FontSpecOf(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), ScreenDpi()));
  EXPECT_EQ(PixelShown(b, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(StyleButtonWindowTest, CaptionIsTheWindowText) {
  StyleButton& b = Make();
  SetWindowTextW(b.hwnd(), L"打开(&O)");
  EXPECT_EQ(b.Caption(), L"打开(&O)");
  EXPECT_EQ(b.AccessKey(), L'o');
  b.SetCaption(L"A&&B");
  wchar_t text[16] = {};
  GetWindowTextW(b.hwnd(), text, 16);
  EXPECT_STREQ(text, L"A&&B");
  EXPECT_EQ(b.AccessKey(), 0);
}

TEST_F(StyleButtonWindowTest, EnabledAndTheWindowNeverDisagree) {
  StyleButton& b = Make();
  b.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(b.hwnd()));
  EXPECT_EQ(PixelShown(b, 10, 0), RGB(156, 156, 135)) << "disabled border";
  EXPECT_FALSE(StyleButton::HandleAccessKey(parent_, L's'));
  EnableWindow(b.hwnd(), TRUE);
  EXPECT_TRUE(b.Enabled());
  EXPECT_EQ(PixelShown(b, 10, 0), kBorderBlue);
}

TEST_F(StyleButtonWindowTest, RingShowsFocusAndDefaultOnlyWithShowFocusRect) {
  StyleButton& b = Make();
  StyleButton& other = Make(Stored(L"Other"), {10, 50, 10 + W, 50 + H}, kId + 1);
  EXPECT_EQ(PixelShown(b, 1, 10), kLeftShading);
  SetFocus(b.hwnd());
  EXPECT_EQ(PixelShown(b, 1, 10), kRing);
  b.SetShowFocusRect(false);
  EXPECT_EQ(PixelShown(b, 1, 10), kLeftShading);

  SetFocus(other.hwnd());
  Send(other, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  Send(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(PixelShown(b, 1, 10), kLeftShading);
  EXPECT_TRUE(Send(b, WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
  b.SetShowFocusRect(true);
  EXPECT_EQ(PixelShown(b, 1, 10), kRing);
  Send(b, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_EQ(PixelShown(b, 1, 10), kLeftShading);
  EXPECT_TRUE(Send(b, WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);
}

TEST_F(StyleButtonWindowTest, ShapeFollowsTheStyle) {
  StyleButton& b = Make();
  Region shape(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(b.hwnd(), shape.get()), ERROR);
  EXPECT_FALSE(PtInRegion(shape.get(), 0, 0));
  EXPECT_FALSE(PtInRegion(shape.get(), 1, 0));
  EXPECT_TRUE(PtInRegion(shape.get(), 2, 0));
  b.SetButtonType(2);
  ASSERT_NE(GetWindowRgn(b.hwnd(), shape.get()), ERROR);
  EXPECT_TRUE(PtInRegion(shape.get(), 0, 0));
  EXPECT_EQ(PixelShown(b, 0, 0), RGB(255, 255, 255));
}

TEST_F(StyleButtonWindowTest, ArrowsMoveTheFocusBetweenTabStops) {
  StyleButton& first = Make(Stored(L"1"), {10, 10, 10 + W, 10 + H}, 1);
  StyleButton& second = Make(Stored(L"2"), {10, 40, 10 + W, 40 + H}, 2);
  Make(Stored(L"3"), {10, 70, 10 + W, 70 + H}, 3);
  SetFocus(first.hwnd());
  Key(first, VK_RIGHT);
  EXPECT_EQ(GetFocus(), second.hwnd());
  Key(second, VK_UP);
  EXPECT_EQ(GetFocus(), first.hwnd());
  Key(first, VK_DOWN);
  EXPECT_EQ(GetFocus(), second.hwnd());
}

TEST_F(StyleButtonWindowTest, ClickHandlerMayDestroyTheButton) {
  events_.destroy_on_click = true;
  StyleButton& by_key = Make();
  HWND window = by_key.hwnd();
  Key(by_key, VK_SPACE);
  KeyUp(by_key, VK_SPACE);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(Clicks().empty()) << "nothing is sent for a window that is gone";

  window = Make().hwnd();
  EXPECT_TRUE(StyleButton::HandleAccessKey(parent_, L's'));
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace tessaro
