// How a button turns mouse and keyboard input into its pressed and normal
// looks and its events. Pure logic: the window feeds it input and it acts
// through a host, which a test can record.
#pragma once

#include "controls/button_painter.h"

namespace tessaro {

// Mouse buttons and shift states as the events carry them.
constexpr short kLeftButton = 1;
constexpr short kRightButton = 2;
constexpr short kMiddleButton = 4;
constexpr short kShiftKey = 1;
constexpr short kControlKey = 2;
constexpr short kAltKey = 4;

class ButtonInputHost {
 public:
  virtual ~ButtonInputHost() = default;
  virtual bool Enabled() const = 0;
  virtual void Redraw(ButtonState state, bool force) = 0;
  // Shows what was drawn now, before a click handler that may take a while.
  virtual void Refresh() = 0;
  // To the next tab stop, or with forward false the previous one.
  virtual void MoveFocus(bool forward) = 0;
  virtual void RaiseClick() = 0;
  virtual void RaiseMouseDown(short& button, short& shift, float& x, float& y) = 0;
  virtual void RaiseMouseMove(short& button, short& shift, float& x, float& y) = 0;
  virtual void RaiseMouseUp(short& button, short& shift, float& x, float& y) = 0;
  virtual void RaiseKeyPress(short& key_ascii) = 0;
  virtual void RaiseKeyDown(short& key_code, short& shift) = 0;
  virtual void RaiseKeyUp(short& key_code, short& shift) = 0;
};

class ButtonInput {
 public:
  explicit ButtonInput(ButtonInputHost& host) : host_(host) {}

  // The client size, for telling whether the pointer is over the button.
  void SetSize(int width, int height);

  void ButtonDown(short button, short shift, float x, float y);
  void ButtonUp(short button, short shift, float x, float y);
  // buttons: every button held, as a mask.
  void MouseMove(short buttons, short shift, float x, float y);
  // The second press of a left double click, which takes the place of its
  // button-down.
  void DoubleClick();
  void KeyDown(short key_code, short shift);
  void KeyPress(short key_ascii);
  void KeyUp(short key_code, short shift);

  // Acts as clicked, as on the access key; only a button last pressed with
  // the left mouse button or Space clicks. Returns whether it did.
  bool Click();

  short remembered_button() const { return remembered_button_; }

 private:
  bool Over(float x, float y) const;
  void Press(short button, short shift, float x, float y);
  void Release(short button, short shift, float x, float y);

  ButtonInputHost& host_;
  int width_ = 0;
  int height_ = 0;
  short remembered_button_ = kLeftButton;
  short remembered_key_ = 0;
  // The button whose release over the window clicks it; 0 for none.
  short click_button_ = 0;
};

}  // namespace tessaro
