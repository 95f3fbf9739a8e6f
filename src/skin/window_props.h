// The engine keeps each window's state in window properties on the window
// itself, so anyone can see what the skin did to a window. Values are
// handle-sized; an absent property reads as 0.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tessaro::skin::props {

inline constexpr const wchar_t* kProcAddr = L"PROCADDR";  // marks the window attached
// The procedure the skin replaced, once the skin has let go of a window over
// which another party had already installed its own procedure: the skin
// passes messages down until it is on top again, then unhooks itself.
inline constexpr const wchar_t* kPassProc = L"PASSPROC";
inline constexpr const wchar_t* kOldStyle = L"OLDSTYLE";
inline constexpr const wchar_t* kMouseFlag = L"MOUSEFLAG";
inline constexpr const wchar_t* kTimerId = L"TIMERID";
inline constexpr const wchar_t* kOldState = L"OLDSTATE";
inline constexpr const wchar_t* kAlphaLevel = L"ALPHALEVEL";
inline constexpr const wchar_t* kHoverIndex = L"HMINDEX";
inline constexpr const wchar_t* kPressedIndex = L"HDINDEX";

// "0HDC" .. "3HDC" and "0BMP" .. "3BMP": a command button's state surfaces.
std::wstring SurfaceDcName(int state);
std::wstring SurfaceBitmapName(int state);

// "PROCADDR" is read for every message a skinned window gets; while the
// engine holds its name as an atom, the lookup skips the name's translation.
void HoldProcAddrAtom();
void DropProcAddrAtom();
std::intptr_t ReadProcAddr(HWND window);

std::intptr_t Read(HWND window, const wchar_t* name);
inline std::intptr_t Read(HWND window, const std::wstring& name) { return Read(window, name.c_str()); }
bool Write(HWND window, const wchar_t* name, std::intptr_t value);
inline bool Write(HWND window, const std::wstring& name, std::intptr_t value) {
  return Write(window, name.c_str(), value);
}
void Remove(HWND window, const wchar_t* name);
inline void Remove(HWND window, const std::wstring& name) { Remove(window, name.c_str()); }

}  // namespace tessaro::skin::props
