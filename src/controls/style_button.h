// StyleButton: the owner-drawn push button used on every window of the program.
// A child window of class "StyleButton" whose caption is its window text; it
// paints itself in one of seven styles, keeps the properties a form stores for
// it, and raises Click (also sent to the parent as WM_COMMAND / BN_CLICKED)
// and its input events.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "controls/property_bag.h"

namespace tessaro {

class StyleButton;

// Events raised to the host, in declaration order. Arguments are passed by
// reference so a handler may change them, as the host's event model allows.
class StyleButtonEvents {
 public:
  virtual ~StyleButtonEvents() = default;
  virtual void Click(StyleButton&) {}
  virtual void MouseDown(StyleButton&, short& /*button*/, short& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseMove(StyleButton&, short& /*button*/, short& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseUp(StyleButton&, short& /*button*/, short& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void KeyPress(StyleButton&, short& /*key_ascii*/) {}
  virtual void KeyDown(StyleButton&, short& /*key_code*/, short& /*shift*/) {}
  virtual void KeyUp(StyleButton&, short& /*key_code*/, short& /*shift*/) {}
};

class StyleButton {
 public:
  static constexpr const wchar_t* kClassName = L"StyleButton";

  // Registers the window class once per process; later calls are no-ops.
  static bool Register(HINSTANCE instance);

  // Creates a button from the stored property values of its form.
  // bounds are in client pixels of the parent.
  static HWND Create(HWND parent, int id, const RECT& bounds, const PropertyBag& stored);

  // The control behind a StyleButton window, or nullptr for any other window.
  static StyleButton* FromWindow(HWND window);

  // Lets the button among parent's children whose access key is ch act as
  // clicked. Returns whether one did.
  static bool HandleAccessKey(HWND parent, wchar_t ch);

  // Writes every property under its key, in the stored order.
  void WriteProperties(PropertyBag& bag) const;

  HWND hwnd() const;

  int ButtonType() const;
  void SetButtonType(int value);
  int ColorScheme() const;
  void SetColorScheme(int value);
  COLORREF BackColor() const;
  void SetBackColor(COLORREF value);
  COLORREF ForeColor() const;
  void SetForeColor(COLORREF value);
  const std::wstring& Caption() const;
  void SetCaption(const std::wstring& value);
  bool Enabled() const;
  void SetEnabled(bool value);
  const FontSpec& Font() const;
  void SetFont(const FontSpec& value);
  bool ShowFocusRect() const;
  void SetShowFocusRect(bool value);

  // The access key of the caption, lower case, or 0 for none.
  wchar_t AccessKey() const;

  // The host's event sink; nullptr for none. Not owned.
  void SetEvents(StyleButtonEvents* events);

 private:
  class Impl;
  explicit StyleButton(HWND window);
  ~StyleButton();
  std::unique_ptr<Impl> impl_;
  friend class Impl;
};

}  // namespace tessaro
