#include "skin/kind_routes.h"

#include "skin/check_box.h"
#include "skin/command_button.h"
#include "skin/mark_button.h"
#include "skin/option_button.h"
#include "skin/skin_kind.h"

namespace tessaro::skin {
namespace {

constexpr MarkKind kCheckBox{&PaintCheckBox, &DrawCheckGlyph};
constexpr MarkKind kOptionButton{&PaintOptionButton, &DrawOptionGlyph};

}  // namespace

LRESULT RouteByKind(const SkinMessage& message) {
  switch (KindOf(message.window)) {
    case SkinKind::CommandButton:
      return CommandButtonMessage(message);
    case SkinKind::CheckBox:
      return MarkButtonMessage(message, kCheckBox);
    case SkinKind::OptionButton:
      return MarkButtonMessage(message, kOptionButton);
    default:
      return message.PassOn();
  }
}

}  // namespace tessaro::skin
