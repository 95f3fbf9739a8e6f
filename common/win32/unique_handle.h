// Owners for Windows handles, used by the program and the Word server alike.
// Each is move-only: a copy would release the same handle twice. Nothing
// else in the tree releases a handle by hand.
#pragma once

#include <windows.h>

#include <utility>

namespace tessaro {

// Owns one handle. `Traits` names the handle type, the value that means "no
// handle" and the call that releases it.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  // Takes over a handle the caller holds (an invalid one is fine).
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  void reset(Handle handle = Traits::Invalid()) {
    if (handle_ != Traits::Invalid()) Traits::Close(handle_);
    handle_ = handle;
  }
  // Hands the handle to a new owner (SetWindowRgn takes a region, for one).
  Handle release() { return std::exchange(handle_, Traits::Invalid()); }

 private:
  Handle handle_ = Traits::Invalid();
};

// Traits for handles that are empty when null and released by one call.
template <typename H, auto Release>
struct NullIsEmpty {
  using Handle = H;
  static constexpr H Invalid() { return nullptr; }
  static void Close(H handle) { Release(handle); }
};

// CreateFile's handles are empty when INVALID_HANDLE_VALUE.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { CloseHandle(handle); }
};

// Processes, threads, events, mappings: every kernel object that is null when absent.
using KernelHandle = UniqueHandle<NullIsEmpty<HANDLE, CloseHandle>>;
using FileHandle = UniqueHandle<FileHandleTraits>;
// FindFirstFile's and FindFirstChangeNotification's, empty when INVALID_HANDLE_VALUE too.
template <auto Release>
struct InvalidIsEmpty {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { Release(handle); }
};
using FindHandle = UniqueHandle<InvalidIsEmpty<FindClose>>;
using ChangeNotification = UniqueHandle<InvalidIsEmpty<FindCloseChangeNotification>>;
using Library = UniqueHandle<NullIsEmpty<HMODULE, FreeLibrary>>;
using Icon = UniqueHandle<NullIsEmpty<HICON, DestroyIcon>>;
using Menu = UniqueHandle<NullIsEmpty<HMENU, DestroyMenu>>;
using AcceleratorTable = UniqueHandle<NullIsEmpty<HACCEL, DestroyAcceleratorTable>>;
// A device context this code created (CreateCompatibleDC, CreateDC).
using OwnedDC = UniqueHandle<NullIsEmpty<HDC, DeleteDC>>;

// Any GDI object released with DeleteObject: brushes, pens, fonts, bitmaps, regions.
template <typename H>
using GdiObject = UniqueHandle<NullIsEmpty<H, DeleteObject>>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

}  // namespace tessaro
