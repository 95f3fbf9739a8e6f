// OLE on the calling thread, and a window's registration as a drop target,
// each held for as long as its object lives.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace tessaro {

// Drag and drop, the clipboard and the shell's data objects need OLE, not
// just COM, on the window thread.
class OleSession {
 public:
  OleSession() : result_(OleInitialize(nullptr)) {}
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  ~OleSession() {
    if (SUCCEEDED(result_)) OleUninitialize();
  }
  bool ok() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

// The system holds a reference to target while the window is registered;
// the registration must end before the window or the target goes.
class DropRegistration {
 public:
  DropRegistration(HWND window, IDropTarget* target)
      : window_(SUCCEEDED(RegisterDragDrop(window, target)) ? window : nullptr) {}
  DropRegistration(const DropRegistration&) = delete;
  DropRegistration& operator=(const DropRegistration&) = delete;
  ~DropRegistration() {
    if (window_) RevokeDragDrop(window_);
  }
  bool ok() const { return window_ != nullptr; }

 private:
  HWND window_;
};

}  // namespace tessaro
