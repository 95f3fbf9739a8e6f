#include "skin/kind_state.h"

#include "skin/command_button.h"
#include "skin/window_props.h"

namespace tessaro::skin {

void PrepareKindState(HWND window, SkinKind kind) {
  switch (kind) {
    case SkinKind::CommandButton:
      PrepareCommandButton(window);
      break;
    case SkinKind::ComboBox:
    case SkinKind::DriveList:
    case SkinKind::CheckBox:
    case SkinKind::OptionButton:
      props::Write(window, props::kMouseFlag, 0);
      props::Write(window, props::kOldState, 0);
      break;
    case SkinKind::Header:
      props::Write(window, props::kMouseFlag, 0);
      props::Write(window, props::kPressedIndex, -1);
      props::Write(window, props::kHoverIndex, -1);
      break;
    default:
      break;
  }
}

void ReleaseKindState(HWND window, SkinKind kind) {
  switch (kind) {
    case SkinKind::CommandButton:
      ReleaseCommandButton(window);
      break;
    case SkinKind::ComboBox:
    case SkinKind::DriveList:
    case SkinKind::CheckBox:
    case SkinKind::OptionButton:
      props::Remove(window, props::kMouseFlag);
      props::Remove(window, props::kOldState);
      break;
    case SkinKind::Header:
      props::Remove(window, props::kMouseFlag);
      props::Remove(window, props::kPressedIndex);
      props::Remove(window, props::kHoverIndex);
      break;
    default:
      break;
  }
}

}  // namespace tessaro::skin
