#include "skin/button_faces.h"

#include <string>

#include "win32/gdi.h"
#include "skin/skin_state.h"
#include "skin/primitives.h"
#include "skin/skin_colors.h"
#include "skin/skin_kind.h"
#include "skin/sliced_copy.h"
#include "skin/window_props.h"

namespace tessaro::skin {
namespace {

// Ampersands stay access keys, as on the system's own buttons.
constexpr UINT kCaptionFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

HBITMAP FaceBitmap(HWND window, int state) {
  return reinterpret_cast<HBITMAP>(props::Read(window, props::SurfaceBitmapName(state)));
}

}  // namespace

void CreateFaceSurfaces(HWND window) {
  const WindowDC window_dc(window);
  const WindowBox box = GetWindowBox(window);
  for (int state = 0; state < kFaceCount; ++state) {
    // The bitmap outlives the context it is selected into.
    Bitmap bitmap(CreateCompatibleBitmap(window_dc.get(), box.width, box.height));
    OwnedDC dc(CreateCompatibleDC(window_dc.get()));
    if (!dc || !bitmap) continue;
    // The context's own 1 x 1 bitmap is a stock object: nothing to keep.
    SelectObject(dc.get(), bitmap.get());
    const std::wstring dc_name = props::SurfaceDcName(state), bitmap_name = props::SurfaceBitmapName(state);
    if (props::Write(window, dc_name, reinterpret_cast<std::intptr_t>(dc.get())) &&
        props::Write(window, bitmap_name, reinterpret_cast<std::intptr_t>(bitmap.get()))) {
      // The window's properties own them until ReleaseFaceSurfaces.
      dc.release();
      bitmap.release();
    } else {
      props::Remove(window, dc_name);
      props::Remove(window, bitmap_name);
    }
  }
}

void ResizeFaceSurfaces(HWND window) {
  const WindowDC window_dc(window);
  const WindowBox box = GetWindowBox(window);
  for (int state = 0; state < kFaceCount; ++state) {
    const HDC dc = FaceSurface(window, state);
    Bitmap bitmap(CreateCompatibleBitmap(window_dc.get(), box.width, box.height));
    if (!dc || !bitmap) continue;
    SelectObject(dc, bitmap.get());
    const Bitmap old(FaceBitmap(window, state));
    props::Write(window, props::SurfaceBitmapName(state), reinterpret_cast<std::intptr_t>(bitmap.release()));
  }
}

void ReleaseFaceSurfaces(HWND window) {
  for (int state = 0; state < kFaceCount; ++state) {
    // Declared first, deleted last: the context lets go of the bitmap first.
    const Bitmap bitmap(FaceBitmap(window, state));
    if (const HDC dc = FaceSurface(window, state)) DeleteDC(dc);
    props::Remove(window, props::SurfaceDcName(state));
    props::Remove(window, props::SurfaceBitmapName(state));
  }
}

HDC FaceSurface(HWND window, int state) {
  return reinterpret_cast<HDC>(props::Read(window, props::SurfaceDcName(state)));
}

void RenderButtonFaces(HWND window) {
  const std::wstring caption = GetWindowCaption(window);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  const WindowBox box = GetWindowBox(window);
  const bool focused = GetFocus() == window;
  for (int state = 0; state < kFaceCount; ++state) {
    const HDC dc = FaceSurface(window, state);
    if (!dc) continue;
    const SelectGuard font_selected(dc, font ? static_cast<HGDIOBJ>(font) : GetCurrentObject(dc, OBJ_FONT));
    SetBkMode(dc, TRANSPARENT);
    DrawSliced(dc, 0, 0, box.width, box.height, ImageDC(SkinImage::ButtonFaces), parts::ButtonFace(state),
               {3, 3, 3, 3});
    SetTextColor(dc, state == kDisabled ? kDisabledCaption : kBlack);
    DrawTextBox(dc, caption, 2, 2, box.width - 4, box.height - 4, kCaptionFlags);
    if (focused) DrawFocusBox(dc, 2, 2, box.width - 4, box.height - 4);
  }
}

void SetRoundRegion(HWND window) {
  const WindowBox box = GetWindowBox(window);
  Region region(CreateRoundRectRgn(0, 0, box.width + 1, box.height + 1, 3, 3));
  // The window owns the region once it is set.
  if (region && SetWindowRgn(window, region.get(), TRUE)) region.release();
}

}  // namespace tessaro::skin
