#include "skin/skin_state.h"
#include "skin/hover.h"
#include "skin/kind_state.h"
#include "skin/skin.h"
#include "skin/window_props.h"

namespace tessaro::skin {
namespace {

WNDPROC CurrentProc(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

bool OwnedByThisProcess(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

// Shows the new (or the old) look at once: frame and client.
void Refresh(HWND window) {
  SendMessageW(window, WM_NCPAINT, 1, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT);
}

BOOL CALLBACK AttachChildProc(HWND window, LPARAM) {
  AttachSkin(window);
  return TRUE;
}

BOOL CALLBACK DetachChildProc(HWND window, LPARAM) {
  DetachSkin(window);
  return TRUE;
}

void Initialise() {
  SkinState& engine = Skin();
  engine.initialised = true;
  props::HoldProcAddrAtom();
  engine.track_leave_available = ApiExists("TrackMouseEvent", L"user32.dll");
  engine.images = SkinImages::Build();
}

// Puts SkinWndProc into the chain, or, when it never left it (it let go of
// the window while another procedure sat on top, see DetachSkin), takes its
// old place again.
bool Hook(HWND window) {
  const auto passed = reinterpret_cast<WNDPROC>(props::Read(window, props::kPassProc));
  const WNDPROC current = CurrentProc(window);
  if (passed) {
    // Further down the chain a second hook would call itself in a loop.
    if (current != &SkinWndProc) return false;
    props::Remove(window, props::kPassProc);
    return props::Write(window, props::kProcAddr, reinterpret_cast<std::intptr_t>(passed));
  }
  if (!current || !props::Write(window, props::kProcAddr, reinterpret_cast<std::intptr_t>(current))) return false;
  if (SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinWndProc))) return true;
  props::Remove(window, props::kProcAddr);
  return false;
}

// Takes SkinWndProc out of the chain. When another party has installed its
// procedure over ours since, restoring ours would throw that one out, and
// removing ours would cut the chain: SkinWndProc stays as a plain relay
// until that party restores it, and then unhooks itself.
void Unhook(HWND window, WNDPROC previous) {
  props::Remove(window, props::kProcAddr);
  if (CurrentProc(window) == &SkinWndProc) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  } else {
    props::Write(window, props::kPassProc, reinterpret_cast<std::intptr_t>(previous));
  }
}

}  // namespace

SkinState& Skin() {
  static SkinState engine;
  return engine;
}

bool SkinWindow(HWND window) {
  if (!Skin().initialised) Initialise();
  return AttachSkin(window);
}

bool AttachSkin(HWND window) {
  if (!window || props::Read(window, props::kProcAddr) || !OwnedByThisProcess(window)) return false;
  const SkinKind kind = KindOf(window);
  if (kind == SkinKind::Form) EnumChildWindows(window, &AttachChildProc, 0);
  PrepareKindState(window, kind);
  if (!Hook(window)) {
    ReleaseKindState(window, kind);
    return false;
  }
  ++Skin().attached;
  Refresh(window);
  return true;
}

bool DetachSkin(HWND window) {
  if (!window) return false;
  const auto previous = reinterpret_cast<WNDPROC>(props::Read(window, props::kProcAddr));
  if (!previous) return false;
  const SkinKind kind = KindOf(window);
  if (kind == SkinKind::Form) EnumChildWindows(window, &DetachChildProc, 0);
  ReleaseKindState(window, kind);
  Unhook(window, previous);
  Refresh(window);

  SkinState& engine = Skin();
  if (--engine.attached <= 0) {
    engine.attached = 0;
    engine.images = {};
    engine.initialised = false;
    props::DropProcAddrAtom();
  }
  return true;
}

int AttachedWindowCount() { return Skin().attached; }
bool SkinInitialised() { return Skin().initialised; }

}  // namespace tessaro::skin
