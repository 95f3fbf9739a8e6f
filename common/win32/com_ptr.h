// Owns one COM interface reference. Move-only; put() hands out the slot for
// an out-parameter after releasing what was held, so nothing leaks.
#pragma once

#include <unknwn.h>

#include <utility>

namespace tessaro {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds.
  explicit ComPtr(T* owned) noexcept : pointer_(owned) {}
  // Shares an object: adds a reference of its own.
  static ComPtr Share(T* pointer) {
    if (pointer) pointer->AddRef();
    return ComPtr(pointer);
  }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { reset(); }

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  void reset() {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }
  T** put() {
    reset();
    return &pointer_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

  template <typename U>
  ComPtr<U> As(REFIID iid) const {
    ComPtr<U> result;
    if (pointer_) pointer_->QueryInterface(iid, result.put_void());
    return result;
  }

 private:
  T* pointer_ = nullptr;
};

}  // namespace tessaro
