// An owning VARIANT: cleared once, movable, never copied. Its layout is a bare
// VARIANT, so an array of them can be handed to IDispatch::Invoke as is.
#pragma once

#include <oaidl.h>

#include <optional>
#include <string>

#include "win32/com_ptr.h"

namespace tessaro::word {

class Variant {
 public:
  Variant() noexcept { VariantInit(&v_); }
  Variant(bool value) noexcept;
  Variant(int value) noexcept;
  Variant(const wchar_t* text);
  Variant(const std::wstring& text) : Variant(text.c_str()) {}
  explicit Variant(IDispatch* object) noexcept;

  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant&& other) noexcept;
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&v_); }

  const VARIANT& raw() const { return v_; }
  // For out-parameters: clears the current value first.
  VARIANT* Receive() {
    VariantClear(&v_);
    return &v_;
  }

  // Whole numbers of any width, and numeric text, as Word may return either.
  std::optional<int> ToInt() const;
  ComPtr<IDispatch> ToDispatch() const;

 private:
  VARIANT v_;
};

static_assert(sizeof(Variant) == sizeof(VARIANT));

}  // namespace tessaro::word
