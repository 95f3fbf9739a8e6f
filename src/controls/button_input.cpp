#include "controls/button_input.h"

namespace tessaro {

namespace {

constexpr short kSpace = 32;
constexpr short kLeftArrow = 37, kUpArrow = 38, kRightArrow = 39, kDownArrow = 40;

}  // namespace

void ButtonInput::SetSize(int width, int height) {
  width_ = width;
  height_ = height;
}

// x == W is already beside the button; treating it as over the button would
// show a pressed look where releasing does not click.
bool ButtonInput::Over(float x, float y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

void ButtonInput::Press(short button, short shift, float x, float y) {
  remembered_button_ = button;
  if (button != kRightButton) host_.Redraw(ButtonState::kPressed, false);
  host_.RaiseMouseDown(button, shift, x, y);
}

void ButtonInput::Release(short button, short shift, float x, float y) {
  if (button != kRightButton) host_.Redraw(ButtonState::kNormal, false);
  host_.RaiseMouseUp(button, shift, x, y);
}

void ButtonInput::ButtonDown(short button, short shift, float x, float y) {
  click_button_ = button;
  Press(button, shift, x, y);
}

void ButtonInput::ButtonUp(short button, short shift, float x, float y) {
  const bool clicks = button == click_button_ && Over(x, y);
  click_button_ = 0;
  Release(button, shift, x, y);
  if (clicks) Click();
}

void ButtonInput::MouseMove(short buttons, short shift, float x, float y) {
  if (buttons == 0 || buttons == kLeftButton) {
    if (!Over(x, y)) {
      host_.Redraw(ButtonState::kNormal, false);
    } else if (buttons == kLeftButton) {
      host_.Redraw(ButtonState::kPressed, false);
    }
  }
  host_.RaiseMouseMove(buttons, shift, x, y);
}

void ButtonInput::DoubleClick() {
  click_button_ = 0;
  if (remembered_button_ == kLeftButton) Press(kLeftButton, kShiftKey, 1, 1);
}

void ButtonInput::KeyDown(short key_code, short shift) {
  // The handler may change the key code, and its value is what counts.
  host_.RaiseKeyDown(key_code, shift);
  remembered_key_ = key_code;
  switch (key_code) {
    case kSpace:
      Press(kLeftButton, kShiftKey, 1, 1);
      break;
    case kRightArrow:
    case kDownArrow:
      host_.MoveFocus(true);
      break;
    case kLeftArrow:
    case kUpArrow:
      host_.MoveFocus(false);
      break;
    default:
      break;
  }
}

void ButtonInput::KeyPress(short key_ascii) { host_.RaiseKeyPress(key_ascii); }

void ButtonInput::KeyUp(short key_code, short shift) {
  host_.RaiseKeyUp(key_code, shift);
  if (remembered_key_ != kSpace || key_code != kSpace) return;
  Release(kLeftButton, kShiftKey, 1, 1);
  remembered_button_ = kLeftButton;
  Click();
}

bool ButtonInput::Click() {
  if (remembered_button_ != kLeftButton || !host_.Enabled()) return false;
  host_.Redraw(ButtonState::kNormal, true);
  host_.Refresh();
  host_.RaiseClick();
  return true;
}

}  // namespace tessaro
