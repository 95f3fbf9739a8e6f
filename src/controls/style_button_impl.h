// The state behind a StyleButton window: its properties, its drawing
// surface and its input handling. Private to the control.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "controls/button_input.h"
#include "controls/color_shift.h"
#include "win32/gdi.h"
#include "controls/style_button.h"

namespace tessaro {

class StyleButton::Impl final : public ButtonInputHost {
 public:
  Impl(StyleButton& owner, HWND window);

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  // Property values from a form, applied to the window in one go.
  void Load(const PropertyBag& bag);
  void Write(PropertyBag& bag) const;

  HWND hwnd() const { return hwnd_; }
  int button_type() const { return button_type_; }
  void SetButtonType(int value);
  int color_scheme() const { return color_scheme_; }
  void SetColorScheme(int value);
  COLORREF back_color() const { return back_color_; }
  void SetBackColor(COLORREF value);
  COLORREF fore_color() const { return fore_color_; }
  void SetForeColor(COLORREF value);
  const std::wstring& caption() const { return caption_; }
  void SetCaption(const std::wstring& value);
  bool enabled() const { return enabled_; }
  void SetEnabled(bool value);
  const FontSpec& font() const { return font_spec_; }
  void SetFont(const FontSpec& value);
  bool show_focus_rect() const { return show_focus_rect_; }
  void SetShowFocusRect(bool value);
  wchar_t access_key() const { return access_key_; }
  void set_events(StyleButtonEvents* events) { events_ = events; }

  bool AccessKeyPressed() { return input_.Click(); }

  // Keeps the control alive while it runs code that may destroy its window;
  // a control whose window went meanwhile is deleted when the last one ends.
  class Busy {
   public:
    explicit Busy(StyleButton& button);
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
    ~Busy();

   private:
    StyleButton& button_;
  };

  // ButtonInputHost
  bool Enabled() const override { return enabled_; }
  void Redraw(ButtonState state, bool force) override;
  void Refresh() override;
  void MoveFocus(bool forward) override;
  void RaiseClick() override;
  void RaiseMouseDown(short& button, short& shift, float& x, float& y) override;
  void RaiseMouseMove(short& button, short& shift, float& x, float& y) override;
  void RaiseMouseUp(short& button, short& shift, float& x, float& y) override;
  void RaiseKeyPress(short& key_ascii) override;
  void RaiseKeyDown(short& key_code, short& shift) override;
  void RaiseKeyUp(short& key_code, short& shift) override;

 private:
  LRESULT Dispatch(UINT message, WPARAM wparam, LPARAM lparam);
  void OnCreate();
  void OnPaint(HDC target);
  void OnSetText(const wchar_t* text);
  void OnEnable(bool enabled);
  void OnFocus(bool has_focus);
  void OnSetStyle(UINT style);
  void OnButtonDown(short button, WPARAM wparam, LPARAM lparam);
  void OnButtonUp(short button, WPARAM wparam, LPARAM lparam);
  void OnDoubleClick();
  LRESULT DialogCode() const;

  void Apply();
  void SetColors();
  void SetAccessKeys();
  void ApplyFont();
  void Resize();
  // Sets the window text without another round through WM_SETTEXT.
  void StoreCaption(const std::wstring& value);
  // Whether the window is still there to draw and raise events for.
  bool Alive() const { return !destroyed_; }

  StyleButton& owner_;
  HWND hwnd_;
  StyleButtonEvents* events_ = nullptr;
  ButtonInput input_{*this};

  int button_type_ = 2;
  int color_scheme_ = 1;
  COLORREF back_color_;
  COLORREF fore_color_;
  std::wstring caption_;
  bool enabled_ = true;
  FontSpec font_spec_;
  bool show_focus_rect_ = true;

  ButtonColors colors_;
  wchar_t access_key_ = 0;
  tessaro::Font font_;
  Surface surface_;
  int width_ = 0;
  int height_ = 0;
  bool has_focus_ = false;
  bool is_default_ = false;
  ButtonState last_state_ = ButtonState::kNormal;
  std::wstring last_caption_;

  int busy_ = 0;
  bool destroyed_ = false;
};

}  // namespace tessaro
