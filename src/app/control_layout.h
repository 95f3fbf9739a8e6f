// A window's fixed layout as data: every control with its kind, caption and
// place in twips. Forms are built from these tables and tests walk them.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string_view>

namespace tessaro {

enum class ControlKind {
  Label,
  Frame,
  CheckBox,
  OptionButton,
  TextBox,
  TreeView,
  ListView,        // icons, many rows selectable, rows kept by their owner (LVS_OWNERDATA)
  ReportListView,  // report view, one row at a time
  VScrollBar,
  StyleButton,
  Picture,         // an image resource stretched to the control's box
  ProgressBar,
};

struct ControlLayout {
  int id;
  const wchar_t* name;
  ControlKind kind;
  const wchar_t* caption;
  // The frame the position is relative to, or nullptr for the form's client area.
  const wchar_t* container;
  int left, top, width, height;  // twips
  int image = 0;                 // resource id of a Picture's image
};

struct TwipsRect {
  int left, top, width, height;
  bool operator==(const TwipsRect&) const = default;
};

// The control's box in twips of the form's client area, containers resolved.
TwipsRect ResolveTwips(std::span<const ControlLayout> layout, const ControlLayout& control);

// The same box in pixels at the given DPI.
RECT ResolvePixels(std::span<const ControlLayout> layout, const ControlLayout& control, int dpi);

// Where the dialog manager's arrow-key groups begin, told control by control
// in creation order (one marker per run of controls that stack together).
// A group begins with the first control, with every change of frame, and
// where check boxes and option buttons meet in one frame, so arrows never
// move onto, or click, a choice of another panel.
class GroupMarker {
 public:
  bool StartsGroup(const ControlLayout& control);

 private:
  bool first_ = true;
  std::wstring_view container_;
  std::optional<ControlKind> choice_;  // the kind of the group's last check box or option button
};

const ControlLayout* FindControl(std::span<const ControlLayout> layout, std::wstring_view name);

}  // namespace tessaro
