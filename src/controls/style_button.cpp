#include "controls/style_button.h"

#include "controls/access_key.h"
#include "controls/style_button_impl.h"

namespace tessaro {

namespace {

ATOM g_class = 0;
HINSTANCE g_class_instance = nullptr;

}  // namespace

StyleButton::StyleButton(HWND window) : impl_(std::make_unique<Impl>(*this, window)) {}

StyleButton::~StyleButton() = default;

bool StyleButton::Register(HINSTANCE instance) {
  if (g_class) return true;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = Impl::WindowProc;
  window_class.cbWndExtra = sizeof(StyleButton*);
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = kClassName;
  g_class = RegisterClassExW(&window_class);
  if (g_class) g_class_instance = instance;
  return g_class != 0;
}

HWND StyleButton::Create(HWND parent, int id, const RECT& bounds, const PropertyBag& stored) {
  if (!Register(GetModuleHandleW(nullptr))) return nullptr;
  // Created hidden and shown once the stored values are in, so that it never
  // shows the defaults.
  HWND window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_TABSTOP, bounds.left, bounds.top,
                                bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_class_instance,
                                nullptr);
  StyleButton* button = FromWindow(window);
  if (!button) return nullptr;
  button->impl_->Load(stored);
  ShowWindow(window, SW_SHOWNA);
  return window;
}

StyleButton* StyleButton::FromWindow(HWND window) {
  if (!window || !g_class) return nullptr;
  if (GetClassLongPtrW(window, GCW_ATOM) != g_class) return nullptr;
  // Another process's button of the same class name is not ours to read.
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  return reinterpret_cast<StyleButton*>(GetWindowLongPtrW(window, 0));
}

bool StyleButton::HandleAccessKey(HWND parent, wchar_t ch) {
  struct Search {
    wchar_t key;
    StyleButton* found;
  } search{LowerCase(ch), nullptr};
  if (!search.key) return false;
  // Found first and clicked afterwards, so that nothing the click handler
  // does runs inside the enumeration.
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM lparam) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(lparam);
        StyleButton* button = FromWindow(child);
        if (!button || button->AccessKey() != search.key) return TRUE;
        // A hidden button keeps its caption but must not act on its key.
        if (!(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) return TRUE;
        search.found = button;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  if (!search.found) return false;
  Impl::Busy busy(*search.found);
  return search.found->impl_->AccessKeyPressed();
}

void StyleButton::WriteProperties(PropertyBag& bag) const { impl_->Write(bag); }

HWND StyleButton::hwnd() const { return impl_->hwnd(); }
int StyleButton::ButtonType() const { return impl_->button_type(); }
void StyleButton::SetButtonType(int value) { impl_->SetButtonType(value); }
int StyleButton::ColorScheme() const { return impl_->color_scheme(); }
void StyleButton::SetColorScheme(int value) { impl_->SetColorScheme(value); }
COLORREF StyleButton::BackColor() const { return impl_->back_color(); }
void StyleButton::SetBackColor(COLORREF value) { impl_->SetBackColor(value); }
COLORREF StyleButton::ForeColor() const { return impl_->fore_color(); }
void StyleButton::SetForeColor(COLORREF value) { impl_->SetForeColor(value); }
const std::wstring& StyleButton::Caption() const { return impl_->caption(); }
void StyleButton::SetCaption(const std::wstring& value) { impl_->SetCaption(value); }
bool StyleButton::Enabled() const { return impl_->enabled(); }
void StyleButton::SetEnabled(bool value) { impl_->SetEnabled(value); }
const FontSpec& StyleButton::Font() const { return impl_->font(); }
void StyleButton::SetFont(const FontSpec& value) { impl_->SetFont(value); }
bool StyleButton::ShowFocusRect() const { return impl_->show_focus_rect(); }
void StyleButton::SetShowFocusRect(bool value) { impl_->SetShowFocusRect(value); }
wchar_t StyleButton::AccessKey() const { return impl_->access_key(); }
void StyleButton::SetEvents(StyleButtonEvents* events) { impl_->set_events(events); }

}  // namespace tessaro
