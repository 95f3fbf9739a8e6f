#include "app/form.h"

#include <commctrl.h>

#include <exception>

#include "app/application.h"
#include "app/resource_ids.h"
#include "app/twips.h"
#include "app/wait_cursor.h"
#include "controls/button_font.h"
#include "controls/notice.h"
#include "controls/style_button.h"
#include "win32/unique_handle.h"

namespace tessaro {
namespace {

constexpr const wchar_t* kFormClass = L"TessaroForm";

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

bool RegisterFormClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = Instance();
    wc.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(IDI_APP));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    return RegisterClassExW(&wc) != 0;
  }();
  return registered;
}

// The font of every control whose font the design does not fix.
FontSpec ControlFontSpec() { return SongTi(9.0); }

// The property values a form stores for each of its buttons, in their stored order.
PropertyBag StoredButtonProperties(const wchar_t* caption) {
  return PropertyBag{
      {L"BTYPE", std::int32_t{3}},
      {L"TX", std::wstring(caption)},
      {L"ENAB", true},
      {L"FONT", ControlFontSpec()},
      {L"COLTYPE", std::int32_t{1}},
      {L"FOCUSR", true},
      {L"BCOL", static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE))},
      {L"FCOL", static_cast<std::int32_t>(GetSysColor(COLOR_BTNTEXT))},
  };
}

struct WindowClass {
  const wchar_t* name;
  DWORD style;
  DWORD ex_style;
};

WindowClass ClassFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: return {L"Static", SS_LEFT, 0};
    case ControlKind::Frame: return {L"Button", BS_GROUPBOX, 0};
    case ControlKind::CheckBox: return {L"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ControlKind::OptionButton: return {L"Button", BS_AUTORADIOBUTTON | WS_TABSTOP, 0};
    case ControlKind::TextBox: return {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::TreeView:
      return {WC_TREEVIEWW, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::ListView: return {WC_LISTVIEWW, LVS_ICON | LVS_OWNERDATA | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::ReportListView:
      return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::VScrollBar: return {L"ScrollBar", SBS_VERT, 0};
    case ControlKind::Picture: return {L"Static", SS_OWNERDRAW, 0};
    case ControlKind::ProgressBar: return {PROGRESS_CLASSW, 0, 0};
    case ControlKind::StyleButton: break;
  }
  return {nullptr, 0, 0};
}

}  // namespace

FontSpec SongTi(double points) {
  FontSpec spec;
  spec.face = L"宋体";
  spec.points = points;
  spec.charset = GB2312_CHARSET;
  return spec;
}

Form::Form(const Design& design, Application& app)
    : app_(app), name_(design.name), caption_(design.caption), client_twips_(design.client_twips),
      layout_(design.layout), style_(design.style) {}

Form::~Form() {
  // Normally unloaded by now; if not, the window must not call back into a
  // destroyed object.
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool Form::Load() {
  if (hwnd_) return true;
  if (!RegisterFormClass(&Form::WindowProc) || !StyleButton::Register(Instance())) return false;
  dpi_ = ScreenDpi();
  control_font_ = CreateFontFromSpec(ControlFontSpec(), dpi_);
  // No WS_CLIPCHILDREN: group boxes do not paint their inside, the form's
  // background must show through them.
  HWND window = CreateWindowExW(0, kFormClass, caption_.c_str(), style_, CW_USEDEFAULT,
                                CW_USEDEFAULT, 100, 100, Owner(), CreateMenuBar(), Instance(), this);
  if (!window) return false;
  FitClientArea();
  CreateControls();
  OnCreated();
  OnLoad();
  return hwnd_ != nullptr;
}

void Form::Show() {
  if (!Load()) return;
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void Form::Unload() {
  if (!hwnd_) return;
  OnUnload();
  if (hwnd_) DestroyWindow(hwnd_);
}

bool Form::PreTranslate(MSG& msg) {
  if (msg.message == WM_SYSCHAR && StyleButton::HandleAccessKey(hwnd_, static_cast<wchar_t>(msg.wParam))) {
    return true;
  }
  return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

void Form::FitClientArea() {
  const SIZE wanted{TwipsToPixels(client_twips_.cx, dpi_), TwipsToPixels(client_twips_.cy, dpi_)};
  RECT frame{0, 0, wanted.cx, wanted.cy};
  AdjustWindowRectEx(&frame, style_, GetMenu(hwnd_) != nullptr, 0);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that wraps, or a theme with other borders, makes the estimate
  // wrong; measure and correct once.
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int dx = wanted.cx - client.right;
  const int dy = wanted.cy - client.bottom;
  if (dx || dy) {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + dx, window.bottom - window.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// Labels sit beneath the controls they touch, as if painted on the form
// itself, and frames beneath everything they hold. Creation order is stacking
// order, top first, and also the tab order of the controls that take focus.
namespace {
int StackingRank(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: return 1;
    case ControlKind::Frame: return 2;
    default: return 0;
  }
}
}  // namespace

void Form::CreateControls() {
  for (int rank = 0; rank <= 2; ++rank) {
    GroupMarker groups;
    for (const ControlLayout& control : layout_) {
      if (StackingRank(control.kind) != rank) continue;
      HWND window = CreateControl(control);
      if (window && groups.StartsGroup(control)) {
        SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_GROUP);
      }
    }
  }
}

HWND Form::CreateControl(const ControlLayout& control) {
  const RECT box = ResolvePixels(layout_, control, dpi_);
  if (control.kind == ControlKind::StyleButton) {
    return StyleButton::Create(hwnd_, control.id, box, StoredButtonProperties(control.caption));
  }
  const WindowClass cls = ClassFor(control.kind);
  HWND window = CreateWindowExW(cls.ex_style, cls.name, control.caption,
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | cls.style, box.left, box.top,
                                box.right - box.left, box.bottom - box.top, hwnd_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), Instance(), nullptr);
  if (window) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(control_font_.get()), FALSE);
  return window;
}

void Form::CenterOnScreen() {
  RECT window{};
  GetWindowRect(hwnd_, &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetControlText(int id, const std::wstring& text) { SetWindowTextW(Control(id), text.c_str()); }

std::wstring Form::ControlText(int id) const {
  HWND control = Control(id);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Form::SetControlFont(int id, HFONT font) {
  SendMessageW(Control(id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Form::DrawPicture(const DRAWITEMSTRUCT& item) {
  const ControlLayout* control = nullptr;
  for (const ControlLayout& row : layout_) {
    if (row.id == static_cast<int>(item.CtlID)) control = &row;
  }
  if (!control || !control->image) return;
  const RECT& box = item.rcItem;
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
  Icon icon(static_cast<HICON>(
      LoadImageW(Instance(), MAKEINTRESOURCEW(control->image), IMAGE_ICON, width, height, 0)));
  if (icon.get()) {
    DrawIconEx(item.hDC, box.left, box.top, icon.get(), width, height, 0, nullptr, DI_NORMAL);
    return;
  }
  Bitmap bitmap(static_cast<HBITMAP>(
      LoadImageW(Instance(), MAKEINTRESOURCEW(control->image), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap.get(), sizeof(info), &info)) return;
  OwnedDC source(CreateCompatibleDC(item.hDC));
  SelectGuard select(source.get(), bitmap.get());
  SetStretchBltMode(item.hDC, HALFTONE);
  StretchBlt(item.hDC, box.left, box.top, width, height, source.get(), 0, 0, info.bmWidth,
             info.bmHeight, SRCCOPY);
}

LRESULT Form::OnNotify(const NMHDR& /*header*/, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd_, WM_NOTIFY, wparam, lparam);
}

LRESULT Form::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lparam), wparam, lparam);
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_SETCURSOR:
      if (WaitCursor::Active()) {
        SetCursor(WaitCursor::Cursor());
        return TRUE;
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->CtlType == ODT_STATIC) {
        DrawPicture(*item);
        return TRUE;
      }
      break;
    }
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      app_.FormUnloaded();
      return 0;
  }
  return OnMessage(message, wparam, lparam);
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Form* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    form->hwnd_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  if (!form) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  // No exception may unwind through the system's code that called us; the
  // handlers throw only when memory runs out, which the user should hear of.
  try {
    return form->HandleMessage(message, wparam, lparam);
  } catch (const std::exception&) {
    ShowNotice(window, L"未知原因导致操作失败!", L"Tessaro");
    return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace tessaro
