#include "skin/window_props.h"

namespace tessaro::skin::props {
namespace {

ATOM g_proc_addr_atom = 0;  // one UI thread: no locking

}  // namespace

void HoldProcAddrAtom() {
  if (!g_proc_addr_atom) g_proc_addr_atom = GlobalAddAtomW(kProcAddr);
}

void DropProcAddrAtom() {
  if (g_proc_addr_atom) GlobalDeleteAtom(g_proc_addr_atom);
  g_proc_addr_atom = 0;
}

std::intptr_t ReadProcAddr(HWND window) {
  return reinterpret_cast<std::intptr_t>(
      GetPropW(window, g_proc_addr_atom ? MAKEINTATOM(g_proc_addr_atom) : kProcAddr));
}

std::wstring SurfaceDcName(int state) { return std::to_wstring(state) + L"HDC"; }
std::wstring SurfaceBitmapName(int state) { return std::to_wstring(state) + L"BMP"; }

std::intptr_t Read(HWND window, const wchar_t* name) {
  return reinterpret_cast<std::intptr_t>(GetPropW(window, name));
}

bool Write(HWND window, const wchar_t* name, std::intptr_t value) {
  return SetPropW(window, name, reinterpret_cast<HANDLE>(value));
}

void Remove(HWND window, const wchar_t* name) { RemovePropW(window, name); }

}  // namespace tessaro::skin::props
