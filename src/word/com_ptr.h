// An owning COM interface pointer: released once, movable, never copied.
#pragma once

#include <unknwn.h>

#include <utility>

namespace tessaro::word {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds.
  explicit ComPtr(T* owned) noexcept : p_(owned) {}
  // Adds a reference of its own to a borrowed pointer.
  static ComPtr Share(T* borrowed) {
    if (borrowed) borrowed->AddRef();
    return ComPtr(borrowed);
  }

  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { reset(); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  void reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  // For out-parameters: drops the current reference first, so reuse cannot leak.
  T** Receive() {
    reset();
    return &p_;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace tessaro::word
