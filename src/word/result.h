// What one Word call gives back: a value, or why it failed. Word's own
// description of an error (EXCEPINFO) becomes the failure text.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <variant>

namespace tessaro::word {

struct Failure {
  HRESULT code = E_FAIL;
  std::wstring text;
};

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  explicit operator bool() const { return state_.index() == 0; }
  T& operator*() { return std::get<0>(state_); }
  const T& operator*() const { return std::get<0>(state_); }
  T* operator->() { return &std::get<0>(state_); }
  const T* operator->() const { return &std::get<0>(state_); }
  const Failure& failure() const { return std::get<1>(state_); }

 private:
  std::variant<T, Failure> state_;
};

using Status = Result<std::monostate>;

inline Status Ok() { return std::monostate{}; }

}  // namespace tessaro::word
