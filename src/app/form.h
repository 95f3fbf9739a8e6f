// A top-level window of the program built from a layout table. One object per
// window kind lives for the whole run; Load creates its window, Unload
// destroys it, and it can be loaded again.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "app/control_layout.h"
#include "win32/gdi.h"
#include "controls/property_bag.h"

namespace tessaro {

class Application;

// The Song typeface of Chinese Windows ("宋体", GB2312) at a size in points.
FontSpec SongTi(double points);

class Form {
 public:
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window and its controls and runs the load handler, unless it
  // is loaded already. Returns whether the window exists afterwards.
  bool Load();
  // Loads if needed, shows the window and brings it to the front.
  void Show();
  // Destroys the window if it is loaded; unloading an unloaded form does nothing.
  void Unload();
  bool IsLoaded() const { return hwnd_ != nullptr; }

  HWND hwnd() const { return hwnd_; }
  HWND Control(int id) const { return GetDlgItem(hwnd_, id); }
  std::span<const ControlLayout> layout() const { return layout_; }
  const std::wstring& name() const { return name_; }

  // Keyboard handling for the message loop (accelerators, access keys, tab
  // moves). Returns true when the message was consumed.
  virtual bool PreTranslate(MSG& msg);

 protected:
  // A caption with the system menu, the close box and a minimise box.
  static constexpr DWORD kMinimizableStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  // The same with the close box only: windows that are closed, not put away.
  static constexpr DWORD kCloseOnlyStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

  struct Design {
    const wchar_t* name;
    const wchar_t* caption;
    SIZE client_twips;
    std::span<const ControlLayout> layout;
    DWORD style = kMinimizableStyle;
  };
  Form(const Design& design, Application& app);

  virtual HMENU CreateMenuBar() { return nullptr; }
  // The window that owns this one when it is created; none by default.
  virtual HWND Owner() const { return nullptr; }
  // The close box or Alt+F4; the default unloads the form.
  virtual void OnClose() { Unload(); }
  virtual void OnLoad() {}
  virtual void OnUnload() {}
  // Design-time state of the controls, set right after they are created.
  virtual void OnCreated() {}
  virtual void OnCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
  // Notifications of the controls (WM_NOTIFY); the default passes them on.
  virtual LRESULT OnNotify(const NMHDR& header, WPARAM wparam, LPARAM lparam);
  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // Left = (screen width - window width) / 2, and the same for the top.
  void CenterOnScreen();
  void SetControlText(int id, const std::wstring& text);
  std::wstring ControlText(int id) const;
  void SetControlFont(int id, HFONT font);
  int dpi() const { return dpi_; }
  Application& app() const { return app_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void CreateControls();
  HWND CreateControl(const ControlLayout& control);
  void FitClientArea();
  void DrawPicture(const DRAWITEMSTRUCT& item);

  Application& app_;
  std::wstring name_;
  std::wstring caption_;
  SIZE client_twips_;
  std::span<const ControlLayout> layout_;
  DWORD style_;
  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  Font control_font_;
};

}  // namespace tessaro
