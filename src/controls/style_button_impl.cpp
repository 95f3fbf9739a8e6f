#include "controls/style_button_impl.h"

#include "controls/access_key.h"
#include "controls/button_font.h"
#include "controls/button_region.h"

namespace tessaro {

StyleButton::Impl::Impl(StyleButton& owner, HWND window)
    : owner_(owner),
      hwnd_(window),
      back_color_(GetSysColor(COLOR_BTNFACE)),
      fore_color_(GetSysColor(COLOR_BTNTEXT)) {}

StyleButton::Impl::Busy::Busy(StyleButton& button) : button_(button) { ++button.impl_->busy_; }

StyleButton::Impl::Busy::~Busy() {
  Impl& impl = *button_.impl_;
  if (--impl.busy_ == 0 && impl.destroyed_) delete &button_;
}

void StyleButton::Impl::Load(const PropertyBag& bag) {
  button_type_ = bag.Read<std::int32_t>(L"BTYPE", 2);
  StoreCaption(bag.Read<std::wstring>(L"TX", L""));
  enabled_ = bag.Read<bool>(L"ENAB", true);
  font_spec_ = bag.Read<FontSpec>(L"FONT", font_spec_);
  color_scheme_ = bag.Read<std::int32_t>(L"COLTYPE", 1);
  show_focus_rect_ = bag.Read<bool>(L"FOCUSR", true);
  back_color_ = static_cast<COLORREF>(
      bag.Read<std::int32_t>(L"BCOL", static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE))));
  fore_color_ = static_cast<COLORREF>(
      bag.Read<std::int32_t>(L"FCOL", static_cast<std::int32_t>(GetSysColor(COLOR_BTNTEXT))));
  Apply();
}

void StyleButton::Impl::Write(PropertyBag& bag) const {
  bag.Write(L"BTYPE", static_cast<std::int32_t>(button_type_));
  bag.Write(L"TX", caption_);
  bag.Write(L"ENAB", enabled_);
  bag.Write(L"FONT", font_spec_);
  bag.Write(L"COLTYPE", static_cast<std::int32_t>(color_scheme_));
  bag.Write(L"FOCUSR", show_focus_rect_);
  bag.Write(L"BCOL", static_cast<std::int32_t>(back_color_));
  bag.Write(L"FCOL", static_cast<std::int32_t>(fore_color_));
}

void StyleButton::Impl::Apply() {
  EnableWindow(hwnd_, enabled_);
  ApplyFont();
  SetColors();
  SetAccessKeys();
  Resize();
}

void StyleButton::Impl::SetButtonType(int value) {
  button_type_ = value;
  Resize();
}

void StyleButton::Impl::SetColorScheme(int value) {
  color_scheme_ = value;
  SetColors();
  Redraw(ButtonState::kNormal, true);
}

void StyleButton::Impl::SetBackColor(COLORREF value) {
  back_color_ = value;
  SetColors();
  Redraw(last_state_, true);
}

void StyleButton::Impl::SetForeColor(COLORREF value) {
  fore_color_ = value;
  SetColors();
  Redraw(last_state_, true);
}

void StyleButton::Impl::SetCaption(const std::wstring& value) {
  // Through WM_SETTEXT, so that the caption and the window text stay one.
  SetWindowTextW(hwnd_, value.c_str());
}

void StyleButton::Impl::SetEnabled(bool value) {
  enabled_ = value;
  Redraw(ButtonState::kNormal, true);
  EnableWindow(hwnd_, value);
}

void StyleButton::Impl::SetFont(const FontSpec& value) {
  font_spec_ = value;
  ApplyFont();
  Redraw(ButtonState::kNormal, true);
}

void StyleButton::Impl::SetShowFocusRect(bool value) {
  show_focus_rect_ = value;
  Redraw(last_state_, true);
}

void StyleButton::Impl::SetColors() { colors_ = SchemeColors(color_scheme_, back_color_, fore_color_); }

void StyleButton::Impl::SetAccessKeys() { access_key_ = AccessKeyOf(caption_); }

void StyleButton::Impl::ApplyFont() { font_ = CreateFontFromSpec(font_spec_, ScreenDpi()); }

void StyleButton::Impl::StoreCaption(const std::wstring& value) {
  caption_ = value;
  DefWindowProcW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

void StyleButton::Impl::Resize() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  width_ = client.right;
  height_ = client.bottom;
  input_.SetSize(width_, height_);
  if (width_ > 0 && height_ > 0) {
    WindowDC screen(hwnd_);
    surface_ = Surface(screen.get(), width_, height_);
  } else {
    surface_ = Surface();
  }
  // The window owns the region once SetWindowRgn accepts it.
  Region shape = MakeRegion(button_type_, width_, height_);
  if (shape && SetWindowRgn(hwnd_, shape.get(), TRUE)) shape.release();
  Redraw(ButtonState::kNormal, true);
}

void StyleButton::Impl::Redraw(ButtonState state, bool force) {
  if (!Alive()) return;
  if (!force && state == last_state_ && caption_ == last_caption_) return;
  if (height_ == 0 || !surface_) return;
  last_state_ = state;
  last_caption_ = caption_;
  ButtonFace face;
  face.type = button_type_;
  face.width = width_;
  face.height = height_;
  face.colors = colors_;
  face.caption = caption_;
  face.font = font_.get();
  face.enabled = enabled_;
  face.state = state;
  face.focused = has_focus_ && show_focus_rect_;
  face.show_focus_rect = show_focus_rect_;
  face.is_default = is_default_;
  PaintButton(surface_.dc(), face);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void StyleButton::Impl::Refresh() {
  if (Alive()) UpdateWindow(hwnd_);
}

void StyleButton::Impl::MoveFocus(bool forward) {
  if (!Alive()) return;
  if (HWND next = GetNextDlgTabItem(GetParent(hwnd_), hwnd_, !forward)) SetFocus(next);
}

void StyleButton::Impl::RaiseClick() {
  if (Alive() && events_) events_->Click(owner_);
  // The forms handle their buttons' clicks as standard buttons' ones.
  if (Alive()) {
    SendMessageW(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd_));
  }
}

void StyleButton::Impl::RaiseMouseDown(short& button, short& shift, float& x, float& y) {
  if (Alive() && events_) events_->MouseDown(owner_, button, shift, x, y);
}

void StyleButton::Impl::RaiseMouseMove(short& button, short& shift, float& x, float& y) {
  if (Alive() && events_) events_->MouseMove(owner_, button, shift, x, y);
}

void StyleButton::Impl::RaiseMouseUp(short& button, short& shift, float& x, float& y) {
  if (Alive() && events_) events_->MouseUp(owner_, button, shift, x, y);
}

void StyleButton::Impl::RaiseKeyPress(short& key_ascii) {
  if (Alive() && events_) events_->KeyPress(owner_, key_ascii);
}

void StyleButton::Impl::RaiseKeyDown(short& key_code, short& shift) {
  if (Alive() && events_) events_->KeyDown(owner_, key_code, shift);
}

void StyleButton::Impl::RaiseKeyUp(short& key_code, short& shift) {
  if (Alive() && events_) events_->KeyUp(owner_, key_code, shift);
}

}  // namespace tessaro
