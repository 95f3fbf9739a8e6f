#include "word/variant.h"

#include <utility>

namespace tessaro::word {

Variant::Variant(bool value) noexcept {
  VariantInit(&v_);
  v_.vt = VT_BOOL;
  v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(int value) noexcept {
  VariantInit(&v_);
  v_.vt = VT_I4;
  v_.lVal = value;
}

Variant::Variant(const wchar_t* text) {
  VariantInit(&v_);
  v_.bstrVal = SysAllocString(text);
  if (v_.bstrVal) v_.vt = VT_BSTR;
}

Variant::Variant(IDispatch* object) noexcept {
  VariantInit(&v_);
  if (!object) return;
  object->AddRef();
  v_.vt = VT_DISPATCH;
  v_.pdispVal = object;
}

Variant::Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    VariantClear(&v_);
    v_ = other.v_;
    VariantInit(&other.v_);
  }
  return *this;
}

std::optional<int> Variant::ToInt() const {
  Variant converted;
  // VariantChangeType reads the source only; its declaration lacks the const.
  if (FAILED(VariantChangeType(converted.Receive(), const_cast<VARIANT*>(&v_), 0, VT_I4))) return std::nullopt;
  return static_cast<int>(converted.v_.lVal);
}

ComPtr<IDispatch> Variant::ToDispatch() const {
  if (v_.vt == VT_DISPATCH) return ComPtr<IDispatch>::Share(v_.pdispVal);
  ComPtr<IDispatch> object;
  if (v_.vt == VT_UNKNOWN && v_.punkVal)
    v_.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(object.Receive()));
  return object;
}

}  // namespace tessaro::word
