#include "controls/button_painter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "dib.h"

namespace tessaro {
namespace {

using testing::Dib;

constexpr ButtonColors kColors{.face = RGB(100, 110, 120),
                               .light = RGB(150, 160, 170),
                               .highlight = RGB(250, 250, 250),
                               .shadow = RGB(80, 80, 80),
                               .dark_shadow = RGB(10, 10, 10),
                               .text = RGB(0, 0, 200)};
constexpr COLORREF Fc = kColors.face, Lt = kColors.light, Hi = kColors.highlight,
                   Sh = kColors.shadow, Dk = kColors.dark_shadow, Tx = kColors.text;
constexpr int W = 60, H = 25;

// Text without antialiasing, so that caption pixels have exactly the caption colour.
HFONT TestFont() {
  static const Font font(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                     DEFAULT_PITCH, L"Tahoma"));
  return font.get();
}

ButtonFace Face(int type, ButtonState state = ButtonState::kNormal) {
  ButtonFace face;
  face.type = type;
  face.width = W;
  face.height = H;
  face.colors = kColors;
  face.caption = L"OK";
  face.font = TestFont();
  face.state = state;
  return face;
}

ButtonFace Disabled(int type) {
  ButtonFace face = Face(type);
  face.enabled = false;
  return face;
}

std::unique_ptr<Dib> Render(const ButtonFace& face) {
  auto dib = std::make_unique<Dib>(face.width, face.height);
  PaintButton(dib->dc(), face);
  return dib;
}

// A pixel that defines a look; coordinates below zero count from the far edge.
struct Probe {
  int x, y;
  COLORREF color;
};

void ExpectPixels(const ButtonFace& face, std::initializer_list<Probe> probes) {
  const auto dib = Render(face);
  for (const Probe& p : probes) {
    const int x = p.x < 0 ? face.width + p.x : p.x, y = p.y < 0 ? face.height + p.y : p.y;
    EXPECT_EQ(dib->At(x, y), p.color) << "at (" << x << "," << y << ")";
  }
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

TEST(ButtonPainter, ThickFrameStyle) {
  ExpectPixels(Face(1), {{0, 0, Fc}, {1, 0, Dk}, {-2, 0, Dk}, {-1, 0, Fc}, {0, 5, Dk}, {-1, 5, Dk},
                         {5, -1, Dk}, {1, 1, Hi}, {2, 2, Hi}, {1, 5, Hi}, {-2, 1, Sh}, {-2, 5, Sh},
                         {-3, 5, Sh}, {5, -2, Sh}, {5, -3, Sh}, {3, 3, Fc}});
  ExpectPixels(Face(1, ButtonState::kPressed),
               {{1, 0, Dk}, {1, 1, Sh}, {2, 2, Sh}, {-2, 5, Hi}, {-3, 5, Hi}, {5, -3, Hi}});
  ExpectPixels(Disabled(1), {{1, 0, Dk}, {1, 1, Hi}, {-2, 5, Sh}});
}

TEST(ButtonPainter, StandardStyleAndItsDefaultLook) {
  ExpectPixels(Face(2), {{0, 0, Hi}, {5, 0, Hi}, {0, -2, Hi}, {1, 1, Lt}, {-1, 0, Dk}, {-1, -1, Dk},
                         {5, -1, Dk}, {-2, 5, Sh}, {5, -2, Sh}, {1, -2, Sh}, {3, 3, Fc}});

  ButtonFace as_default = Face(2);
  as_default.is_default = true;
  ExpectPixels(as_default, {{0, 0, Dk}, {5, 0, Dk}, {-1, -1, Dk}, {1, 1, Hi}, {2, 2, Lt},
                            {-2, 5, Dk}, {-3, 5, Sh}, {5, -2, Dk}, {5, -3, Sh}});
  // The default look needs ShowFocusRect.
  as_default.show_focus_rect = false;
  ExpectPixels(as_default, {{0, 0, Hi}, {1, 1, Lt}});

  ButtonFace pressed = Face(2, ButtonState::kPressed);
  ExpectPixels(pressed, {{0, 0, Dk}, {-1, -1, Dk}, {1, 1, Sh}, {-2, -2, Sh}, {2, 2, Fc}});
  pressed.show_focus_rect = false;
  ExpectPixels(pressed, {{0, 0, Dk}, {1, 1, Sh}, {-1, 5, Hi}, {5, -1, Hi}, {-2, 5, Lt}, {5, -2, Lt}});

  ButtonFace disabled_default = Disabled(2);
  disabled_default.is_default = true;
  ExpectPixels(disabled_default, {{0, 0, Hi}, {1, 1, Lt}, {-1, 5, Dk}, {-2, 5, Sh}});
}

// The grey palette, whose gradient values are worked out by hand below.
ButtonFace GreyFace(ButtonState state, int height = H) {
  ButtonFace face = Face(3, state);
  face.height = height;
  face.colors.face = RGB(192, 192, 192);  // B(face, 48) = (240, 240, 240)
  return face;
}

constexpr COLORREF kBorderBlue = RGB(0, 60, 115), kCornerBlue = RGB(16, 77, 123);

TEST(ButtonPainter, GradientStyleNormal) {
  // Height 25: row i is B(G, -i).
  ExpectPixels(GreyFace(ButtonState::kNormal),
               {{10, 5, RGB(235, 235, 234)}, {10, 10, RGB(230, 230, 228)}, {10, 20, RGB(220, 220, 215)},
                {0, 1, RGB(239, 239, 239)}, {10, 0, kBorderBlue}, {0, 10, kBorderBlue},
                {-1, 10, kBorderBlue}, {10, -1, kBorderBlue}, {1, 1, kCornerBlue}, {-2, -2, kCornerBlue},
                {1, -2, kCornerBlue}, {-2, 1, kCornerBlue},
                // shaded edges
                {10, -2, RGB(192, 192, 180)}, {10, -3, RGB(208, 208, 200)}, {-2, 10, RGB(204, 204, 195)},
                {-3, 10, RGB(216, 216, 210)}, {10, 1, RGB(255, 255, 255)}, {10, 2, RGB(250, 250, 252)},
                {1, 10, RGB(235, 235, 234)}, {2, 10, RGB(230, 230, 228)}});
}

TEST(ButtonPainter, GradientRowsRoundTiesToEven) {
  // Height 50: step 0.5, so rows 1, 3 and 5 shift by exactly -0.5, -1.5, -2.5.
  ExpectPixels(GreyFace(ButtonState::kNormal, 50),
               {{0, 1, RGB(240, 240, 240)}, {10, 3, RGB(238, 238, 238)}, {10, 5, RGB(238, 238, 238)},
                {10, 7, RGB(236, 236, 235)}});
}

TEST(ButtonPainter, GradientStyleRingOnFocusOrDefault) {
  const std::initializer_list<Probe> ring = {
      {1, 10, RGB(140, 174, 231)},  {-2, 10, RGB(140, 174, 231)}, {10, -3, RGB(140, 174, 231)},
      {10, -2, RGB(107, 130, 239)}, {10, 1, RGB(206, 231, 255)},  {10, 2, RGB(189, 215, 247)},
      {2, 10, RGB(181, 209, 240)},  {-3, 10, RGB(181, 209, 240)}, {10, 0, kBorderBlue}};
  ButtonFace focused = GreyFace(ButtonState::kNormal);
  focused.focused = true;
  ExpectPixels(focused, ring);
  ButtonFace as_default = GreyFace(ButtonState::kNormal);
  as_default.is_default = true;
  ExpectPixels(as_default, ring);
  // Style 3 never draws the dotted focus rectangle.
  EXPECT_EQ(Render(focused)->At(20, 4), RGB(236, 236, 235));
}

TEST(ButtonPainter, GradientStylePressedAndDisabled) {
  // Z = (208, 208, 200); the gradient darkens upward from the bottom row.
  ExpectPixels(GreyFace(ButtonState::kPressed),
               {{10, 20, RGB(205, 205, 197)}, {10, 15, RGB(202, 202, 194)}, {10, 0, kBorderBlue},
                {1, 1, kCornerBlue}, {10, -2, RGB(224, 224, 216)}, {10, 1, RGB(176, 176, 167)},
                {1, 10, RGB(176, 176, 167)}, {2, 10, RGB(186, 186, 178)}, {-3, 10, RGB(208, 208, 200)},
                {-2, 10, RGB(213, 213, 205)}});
  ButtonFace disabled = GreyFace(ButtonState::kNormal);
  disabled.enabled = false;
  ExpectPixels(disabled, {{0, 0, RGB(216, 216, 210)}, {10, 10, RGB(216, 216, 210)},
                          {10, 0, RGB(156, 156, 135)}, {0, 10, RGB(156, 156, 135)},
                          {1, 1, RGB(168, 168, 150)}, {-2, -2, RGB(168, 168, 150)}});
  EXPECT_GT(Render(disabled)->Count(RGB(136, 136, 110)), 0) << "caption colour B(C, -104)";
}

TEST(ButtonPainter, OutlineStyle) {
  ExpectPixels(Face(4), {{0, 0, Fc}, {1, 1, Dk}, {5, 0, Dk}, {0, 5, Dk}, {-2, -2, Dk}, {1, 2, Fc},
                         {2, 1, Fc}, {5, 2, Hi}, {2, 5, Hi}, {3, 3, Hi}, {-3, 5, Fc}, {5, -3, Fc},
                         {-4, -4, Fc}, {-2, 5, Sh}, {5, -2, Sh}, {-3, -3, Sh}, {2, -2, Fc},
                         {2, -3, Lt}, {-2, 2, Fc}, {-3, 2, Lt}, {5, 5, Lt}});
  const COLORREF s16 = RGB(64, 64, 64), s32 = RGB(48, 48, 48), s64 = RGB(16, 16, 16);
  ExpectPixels(Face(4, ButtonState::kPressed),
               {{5, 5, s16}, {1, 5, s64}, {2, 5, s32}, {2, 2, s64}, {3, 3, s32}, {1, 1, Dk}, {5, 0, Dk},
                {-3, 5, Sh}, {5, -3, Sh}, {-2, 5, s16}, {5, -2, s16}, {-3, 1, s16}, {-2, -3, s32}});
  ExpectPixels(Disabled(4), {{1, 1, Dk}, {5, 2, Hi}, {-2, 5, Sh}, {5, 5, Lt}});
  EXPECT_GT(Render(Face(4, ButtonState::kPressed))->Count(Lt), 0) << "pressed caption in light";
}

TEST(ButtonPainter, FlatStyle) {
  const COLORREF edge = RGB(54, 54, 54), corner = RGB(106, 106, 106);
  ExpectPixels(Face(5), {{0, 0, edge}, {5, 0, edge}, {0, 5, edge}, {-2, 5, edge}, {5, -2, edge},
                         {-1, 5, Hi}, {5, -1, Hi}, {1, 5, Hi}, {5, 1, Hi}, {1, -2, corner},
                         {-2, 1, corner}, {5, 5, RGB(112, 122, 132)}, {-1, 0, Fc}});
  ExpectPixels(Face(5, ButtonState::kPressed),
               {{5, 5, RGB(96, 96, 96)}, {0, 0, edge}, {-1, 5, Hi}, {5, -1, Hi}, {-1, 0, Fc}, {0, -1, Fc}});
  ExpectPixels(Disabled(5), {{0, 0, Sh}, {-1, -1, Sh}, {5, 5, Fc}});
}

TEST(ButtonPainter, FlatStyleCaptionIsBoldAndFramedWhenFocused) {
  // The caption does not move when pressed, and is bold either way.
  const auto normal = Render(Face(5));
  const auto pressed = Render(Face(5, ButtonState::kPressed));
  EXPECT_EQ(normal->Bounds(Tx).left, pressed->Bounds(Tx).left);
  EXPECT_EQ(normal->Bounds(Tx).top, pressed->Bounds(Tx).top);
  EXPECT_GT(normal->Count(Tx), Render(Face(7))->Count(Tx));

  ButtonFace focused = Face(5);
  focused.focused = true;
  const auto framed = Render(focused);
  const COLORREF frame_color = RGB(153, 153, 204);
  const RECT frame = framed->Bounds(frame_color);
  const RECT text = framed->Bounds(Tx);
  EXPECT_TRUE(Inside(text, frame));
  EXPECT_EQ(framed->At(frame.left, frame.top), frame_color);
  EXPECT_EQ(framed->At(frame.right - 1, frame.bottom - 1), frame_color);
  EXPECT_LE(std::abs((text.left - frame.left) - (frame.right - text.right)), 1);
  // Two pixels taller than a line of the bold caption, and centred on it.
  Dib measure(W, H);
  LOGFONTW bold{};
  GetObjectW(TestFont(), sizeof(bold), &bold);
  bold.lfWeight = FW_BOLD;
  const Font bold_font(CreateFontIndirectW(&bold));
  SelectGuard select(measure.dc(), bold_font.get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(measure.dc(), &metrics);
  EXPECT_EQ(frame.bottom - frame.top, metrics.tmHeight + 2);
  EXPECT_EQ(frame.top, (H - metrics.tmHeight) / 2 - 1);
}

TEST(ButtonPainter, FlatStyleLeavesTheFontOfTheDC) {
  Dib dib(W, H);
  SelectGuard select(dib.dc(), TestFont());
  ButtonFace face = Face(5);
  face.font = nullptr;
  PaintButton(dib.dc(), face);
  EXPECT_EQ(GetCurrentObject(dib.dc(), OBJ_FONT), TestFont());
}

TEST(ButtonPainter, SoftAndThinFrameStyles) {
  const COLORREF lit = RGB(158, 168, 178);  // light + 8
  ExpectPixels(Face(6), {{0, 0, lit}, {1, 1, lit}, {-1, 0, Sh}, {-2, 1, Sh}, {0, -1, Sh}, {1, -2, Sh},
                         {-1, -1, Sh}, {5, 5, Fc}});
  ExpectPixels(Face(6, ButtonState::kPressed), {{0, 0, Sh}, {1, 1, Sh}, {-1, 0, lit}, {0, -1, lit}});
  ExpectPixels(Disabled(6), {{0, 0, lit}, {-1, 0, Sh}});
  EXPECT_EQ(Render(Disabled(6))->Count(Hi), 0) << "not embossed";
  EXPECT_GT(Render(Disabled(6))->Count(Sh, RECT{8, 5, W - 8, H - 5}), 0) << "caption in shadow";

  ExpectPixels(Face(7), {{0, 0, Hi}, {5, 0, Hi}, {-1, 0, Sh}, {0, -1, Sh}, {-1, -1, Sh}, {1, 1, Fc}});
  ExpectPixels(Face(7, ButtonState::kPressed), {{0, 0, Sh}, {-1, 0, Hi}, {0, -1, Hi}, {-1, -1, Hi}});
}

TEST(ButtonPainter, PressedCaptionMovesDownRight) {
  for (int type : {1, 6, 7}) {
    const RECT normal = Render(Face(type))->Bounds(Tx);
    const RECT pressed = Render(Face(type, ButtonState::kPressed))->Bounds(Tx);
    EXPECT_EQ(pressed.left, normal.left + 1) << type;
    EXPECT_EQ(pressed.top, normal.top + 1) << type;
  }
}

TEST(ButtonPainter, DisabledCaptionIsEmbossed) {
  const RECT caption{8, 5, W - 8, H - 5};
  for (int type : {1, 2, 4, 7}) {
    const auto dib = Render(Disabled(type));
    EXPECT_GT(dib->Count(Hi, caption), 0) << type;
    EXPECT_GT(dib->Count(Sh, caption), 0) << type;
    EXPECT_EQ(dib->Count(Tx), 0) << type;
  }
}

TEST(ButtonPainter, FocusRectangleOnlyOnItsOutline) {
  for (int type : {1, 2, 6, 7}) {
    // Style 2 shows focus only in its default and pressed looks.
    ButtonFace unfocused = Face(type);
    unfocused.is_default = type == 2;
    ButtonFace focused = unfocused;
    focused.focused = true;
    const auto with = Render(focused), without = Render(unfocused);
    int changed = 0;
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        if (with->At(x, y) == without->At(x, y)) continue;
        ++changed;
        const bool on_outline = (x == 4 || x == W - 5 || y == 4 || y == H - 5) && x >= 4 &&
                                x <= W - 5 && y >= 4 && y <= H - 5;
        EXPECT_TRUE(on_outline) << "style " << type << " at (" << x << "," << y << ")";
        EXPECT_EQ(with->At(x, y), Tx);
      }
    }
    EXPECT_GT(changed, W / 2) << type;
    EXPECT_EQ(with->At(4, 4), Tx) << "dotted";
    EXPECT_EQ(with->At(5, 4), Fc) << "dotted";
  }
}

TEST(ButtonPainter, OtherTypesPaintOnlyTheFace) {
  for (int type : {0, 8, -1}) {
    const auto dib = Render(Face(type));
    EXPECT_EQ(dib->Count(Fc), W * H) << type;
  }
}

}  // namespace
}  // namespace tessaro
