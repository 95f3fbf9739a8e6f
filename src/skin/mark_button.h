// What check boxes and option buttons share: the state change that decides
// whether to paint, and their handling of mouse, key and focus messages.
#pragma once

#include <windows.h>

#include "skin/mark_glyphs.h"
#include "skin/skin_message.h"

namespace tessaro::skin {

using GlyphDrawer = void (*)(HDC dc, int top, int width, int height, const MarkLook& look);

// How one of the two kinds paints onto its window, and draws into a context.
struct MarkKind {
  bool (*paint)(HWND window, int state, bool forced);
  GlyphDrawer draw;
};

// Records the new state; false when nothing needs painting.
bool ChangeMarkState(HWND window, int state, bool forced);
// Draws the glyph at the left edge, centred, over the system's own glyph,
// into target or, when it is null, onto the window.
void PaintMarkGlyph(HWND window, HDC target, GlyphDrawer draw);

LRESULT MarkButtonMessage(const SkinMessage& message, const MarkKind& kind);

// After a click: every attached check box and option button beside the
// window shows its check state again (the system has just changed a group).
void RefreshMarks(HWND window);

}  // namespace tessaro::skin
