// Late-bound calls on an automation object by member name: positional and
// named arguments, property gets and puts, DISPIDs looked up once per kind of
// object, and the server's own error description kept as the failure text.
#pragma once

#include <array>
#include <concepts>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win32/com_ptr.h"
#include "word/result.h"
#include "word/variant.h"

namespace tessaro::word {

// An argument passed by name, as in Open(FileName:=..., ReadOnly:=True).
// Named arguments follow the positional ones, as in Basic.
struct Named {
  const wchar_t* name;
  Variant value;
};

class Dispatch {
 public:
  // One argument of a call: positional unless it carries a name.
  struct Argument {
    Argument(Named named) : name(named.name), value(std::move(named.value)) {}
    template <class T>
      requires std::constructible_from<Variant, T>
    Argument(T&& positional) : value(std::forward<T>(positional)) {}

    const wchar_t* name = nullptr;
    Variant value;
  };

  Dispatch() = default;
  // An object of a kind of its own: its DISPIDs are looked up afresh.
  explicit Dispatch(ComPtr<IDispatch> object) : object_(std::move(object)) {}

  IDispatch* get() const { return object_.get(); }

  template <class... Args>
  Result<Variant> Call(std::wstring_view member, Args&&... args) {
    std::array<Argument, sizeof...(Args)> list{Argument(std::forward<Args>(args))...};
    return Invoke(DISPATCH_METHOD, member, list);
  }
  template <class... Args>
  Result<Variant> Get(std::wstring_view member, Args&&... args) {
    std::array<Argument, sizeof...(Args)> list{Argument(std::forward<Args>(args))...};
    return Invoke(DISPATCH_PROPERTYGET, member, list);
  }
  Status Put(std::wstring_view member, Variant value);

  // The object a method or a property returns. Every object one member gives
  // is taken to be of one kind, as with Word's typed object model (each
  // Range a Document's Content gives, each Document that Documents.Add
  // gives): they share their DISPIDs, so a walk over many of them looks
  // each name up once instead of once per object and call.
  template <class... Args>
  Result<Dispatch> CallChild(std::wstring_view member, Args&&... args) {
    return ChildOf(Call(member, std::forward<Args>(args)...), member);
  }
  template <class... Args>
  Result<Dispatch> Child(std::wstring_view member, Args&&... args) {
    return ChildOf(Get(member, std::forward<Args>(args)...), member);
  }

 private:
  // What one kind of object has learnt of its DISPIDs, per member and
  // named-argument list, and the kinds of the objects its members give.
  struct Kind {
    std::map<std::wstring, std::vector<DISPID>, std::less<>> ids;
    std::map<std::wstring, std::shared_ptr<Kind>, std::less<>> children;
  };

  Dispatch(ComPtr<IDispatch> object, std::shared_ptr<Kind> kind)
      : object_(std::move(object)), kind_(std::move(kind)) {}

  Result<Variant> Invoke(WORD flags, std::wstring_view member, std::span<Argument> args);
  // DISPIDs of the member and of its named arguments, in that order.
  Result<std::vector<DISPID>> Ids(std::wstring_view member, std::span<const Argument> args);
  Result<Dispatch> ChildOf(Result<Variant> result, std::wstring_view member);

  ComPtr<IDispatch> object_;
  std::shared_ptr<Kind> kind_ = std::make_shared<Kind>();
};

}  // namespace tessaro::word
