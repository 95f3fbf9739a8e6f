#include "skin/header.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cwchar>
#include <optional>
#include <string>

#include "win32/gdi.h"
#include "skin/skin_state.h"
#include "skin/hover.h"
#include "skin/mem_surface.h"
#include "skin/primitives.h"
#include "skin/skin_colors.h"
#include "skin/sliced_copy.h"
#include "skin/window_props.h"

namespace tessaro::skin {
namespace {

constexpr Margins kFaceMargins{1, 1, 1, 1};
constexpr UINT kCaptionFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr int kTextLimit = 256;

int Property(HWND header, const wchar_t* name) { return static_cast<int>(props::Read(header, name)); }

int ItemCount(HWND header) { return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)); }

RECT ItemRect(HWND header, int index) {
  RECT rect{};
  SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

std::wstring ItemText(HWND header, int index) {
  wchar_t buffer[kTextLimit] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = buffer;
  item.cchTextMax = kTextLimit;
  if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return {};
  return std::wstring(buffer, wcsnlen(buffer, kTextLimit));
}

int ItemFormat(HWND header, int index) {
  HDITEMW item{};
  item.mask = HDI_FORMAT;
  return SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) ? item.fmt
                                                                                                      : 0;
}

// The sorted column's arrow at the item's right end, as Explorer shows it:
// rows of 1, 3, 5 and 7 pixels, the tip up for ascending.
void DrawSortArrow(HDC dc, int right, int height, bool ascending) {
  constexpr int kRows = 4, kRightGap = 6;
  const int left = right - kRightGap - (2 * kRows - 1);
  const int top = (height - kRows) / 2;
  for (int row = 0; row < kRows; ++row) {
    const int half = ascending ? row : kRows - 1 - row;
    FillBox(dc, left + (kRows - 1 - half), top + row, 2 * half + 1, 1, kDisabledCaption);
  }
}

int FaceOf(int state) { return state == kItemHover || state == kItemPressed ? state : kItemNormal; }

// One item's face and caption, in the header's font, at (left, 0).
void DrawItem(HDC dc, HWND header, int index, const RECT& rect, int left, int height, int face) {
  const int width = rect.right - rect.left;
  DrawSliced(dc, left, 0, width, height, ImageDC(SkinImage::HeaderFaces), parts::HeaderFace(face), kFaceMargins);
  if (const int format = ItemFormat(header, index) & (HDF_SORTUP | HDF_SORTDOWN)) {
    DrawSortArrow(dc, left + width, height, format == HDF_SORTUP);
  }
  const std::wstring text = ItemText(header, index);
  if (text.empty()) return;
  const auto font = reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0));
  std::optional<SelectGuard> selected;
  if (font) selected.emplace(dc, font);
  SetBkMode(dc, TRANSPARENT);
  DrawTextBox(dc, text, left, 0, width, rect.bottom, kCaptionFlags);
}

LRESULT OnPaint(HWND header) {
  const PaintDC paint(header);
  const WindowBox box = GetWindowBox(header);
  const Surface surface = CreateMemSurface(box.width, box.height);
  if (!surface) return 0;
  // Beyond the last item: the plain fill column stretched.
  const ImagePart fill = parts::HeaderFace(kItemNormal);
  StretchBlt(surface.dc(), 0, 0, box.width, box.height, ImageDC(SkinImage::HeaderFaces), fill.left + 1, fill.top, 1,
             fill.height, SRCCOPY);
  const int pressed = Property(header, props::kPressedIndex), hot = Property(header, props::kHoverIndex);
  const int count = ItemCount(header);
  for (int index = 0; index < count; ++index) {
    const int face = index == pressed ? kItemPressed : index == hot ? kItemHover : kItemNormal;
    const RECT rect = ItemRect(header, index);
    DrawItem(surface.dc(), header, index, rect, rect.left, box.height, face);
  }
  BitBlt(paint.get(), 0, 0, box.width, box.height, surface.dc(), 0, 0, SRCCOPY);
  return 0;
}

void OnMouseMove(HWND header, WPARAM keys, int x) {
  EnterHover(header);
  const int hit = HeaderItemAt(header, x);
  const int old = Property(header, props::kHoverIndex), pressed = Property(header, props::kPressedIndex);
  if (hit == old) return;
  if (old >= 0 && old != pressed) PaintHeaderItem(header, nullptr, old, kItemNormal);
  if (!(keys & MK_LBUTTON)) {
    props::Write(header, props::kHoverIndex, hit);
    PaintHeaderItem(header, nullptr, hit, kItemHover);
  } else if (hit == pressed) {
    PaintHeaderItem(header, nullptr, hit, kItemPressed);
  }
}

void OnButtonDown(HWND header, int x) {
  if (ItemCount(header) <= 0) return;
  const int hit = HeaderItemAt(header, x);
  props::Write(header, props::kPressedIndex, hit);
  PaintHeaderItem(header, nullptr, hit, kItemPressed);
}

void OnButtonUp(HWND header) {
  const int index = Property(header, props::kPressedIndex);
  props::Write(header, props::kPressedIndex, -1);
  PaintHeaderItem(header, nullptr, index, CursorOver(header) ? kItemHover : kItemNormal);
}

void OnMouseLeave(HWND header) {
  const int old = Property(header, props::kHoverIndex);
  props::Write(header, props::kMouseFlag, 0);
  props::Write(header, props::kPressedIndex, -1);
  props::Write(header, props::kHoverIndex, -1);
  PaintHeaderItem(header, nullptr, old, kItemNormal);
}

}  // namespace

void PaintHeaderItem(HWND header, HDC dc, int index, int state) {
  if (index < 0) return;
  const RECT rect = ItemRect(header, index);
  const int width = rect.right - rect.left, height = GetWindowBox(header).height;
  const Surface surface = CreateMemSurface(width, height);
  if (!surface) return;
  DrawItem(surface.dc(), header, index, rect, 0, height, FaceOf(state));
  std::optional<WindowDC> window_dc;
  if (!dc) dc = window_dc.emplace(header).get();
  BitBlt(dc, rect.left, 0, width, rect.bottom - rect.top, surface.dc(), 0, 0, SRCCOPY);
}

int HeaderItemAt(HWND header, int x) {
  const int count = ItemCount(header);
  for (int index = 0; index < count; ++index) {
    const RECT rect = ItemRect(header, index);
    if (rect.left <= x && x <= rect.right) return index;
  }
  return -1;
}

LRESULT HeaderMessage(const SkinMessage& m) {
  if (m.message == WM_PAINT) return OnPaint(m.window);
  const LRESULT result = m.PassOn();
  switch (m.message) {
    case WM_MOUSEMOVE:
      OnMouseMove(m.window, m.wparam, GET_X_LPARAM(m.lparam));
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnButtonDown(m.window, GET_X_LPARAM(m.lparam));
      break;
    case WM_LBUTTONUP:
      OnButtonUp(m.window);
      break;
    case WM_MOUSELEAVE:
      OnMouseLeave(m.window);
      break;
    default:
      break;
  }
  return result;
}

}  // namespace tessaro::skin
