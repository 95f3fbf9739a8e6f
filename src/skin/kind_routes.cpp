#include "skin/kind_routes.h"

#include "skin/check_box.h"
#include "skin/command_button.h"
#include "skin/drop_button.h"
#include "skin/flat_border.h"
#include "skin/header.h"
#include "skin/mark_button.h"
#include "skin/option_button.h"
#include "skin/progress_bar.h"
#include "skin/skin_kind.h"

namespace tessaro::skin {
namespace {

constexpr MarkKind kCheckBox{&PaintCheckBox, &DrawCheckGlyph};
constexpr MarkKind kOptionButton{&PaintOptionButton, &DrawOptionGlyph};

}  // namespace

LRESULT RouteByKind(const SkinMessage& message) {
  const SkinKind kind = KindOf(message.window);
  // Progress bars are painted whole; data lists keep the system's frame.
  if (message.message == WM_NCPAINT && kind != SkinKind::ProgressBar && kind != SkinKind::DataList)
    return FlatEdgeMessage(message);
  switch (kind) {
    case SkinKind::CommandButton:
      return CommandButtonMessage(message);
    case SkinKind::CheckBox:
      return MarkButtonMessage(message, kCheckBox);
    case SkinKind::OptionButton:
      return MarkButtonMessage(message, kOptionButton);
    case SkinKind::ComboBox:
    case SkinKind::DriveList:
      return DropButtonMessage(message, kind);
    case SkinKind::ProgressBar:
      return ProgressBarMessage(message);
    case SkinKind::Header:
      return HeaderMessage(message);
    case SkinKind::DataList:
    case SkinKind::DropDownList:
    case SkinKind::Grid:
      return FramedWindowMessage(message, kind);
    default:
      return message.PassOn();
  }
}

}  // namespace tessaro::skin
