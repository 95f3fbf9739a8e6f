#include "app/control_layout.h"

#include "app/twips.h"

namespace tessaro {

const ControlLayout* FindControl(std::span<const ControlLayout> layout, std::wstring_view name) {
  for (const ControlLayout& control : layout) {
    if (name == control.name) return &control;
  }
  return nullptr;
}

bool GroupMarker::StartsGroup(const ControlLayout& control) {
  const std::wstring_view container = control.container ? control.container : L"";
  const bool choice = control.kind == ControlKind::CheckBox || control.kind == ControlKind::OptionButton;
  const bool starts = first_ || container != container_ || (choice && choice_ && *choice_ != control.kind);
  if (starts) choice_.reset();
  if (choice) choice_ = control.kind;
  first_ = false;
  container_ = container;
  return starts;
}

TwipsRect ResolveTwips(std::span<const ControlLayout> layout, const ControlLayout& control) {
  TwipsRect rect{control.left, control.top, control.width, control.height};
  for (const wchar_t* outer = control.container; outer;) {
    const ControlLayout* frame = FindControl(layout, outer);
    if (!frame) break;
    rect.left += frame->left;
    rect.top += frame->top;
    outer = frame->container;
  }
  return rect;
}

RECT ResolvePixels(std::span<const ControlLayout> layout, const ControlLayout& control, int dpi) {
  // Edges are converted, not sizes, so neighbours that touch in twips still
  // touch in pixels at any DPI.
  const TwipsRect twips = ResolveTwips(layout, control);
  return RECT{TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
              TwipsToPixels(twips.left + twips.width, dpi),
              TwipsToPixels(twips.top + twips.height, dpi)};
}

}  // namespace tessaro
