#include "word/dispatch.h"

#include "win32/exception_info.h"
#include "word/failure_cause.h"

namespace tessaro::word {
namespace {

// What a failed call reports: the server's own code and text where it gave them.
Failure ToFailure(ExceptionInfo& error, std::wstring_view member, HRESULT invoke_result) {
  const EXCEPINFO& info = error.filled();
  const HRESULT code = FAILED(info.scode) ? info.scode : invoke_result;
  if (info.bstrDescription && *info.bstrDescription) return {code, info.bstrDescription};
  return {code, DescribeCode(member, code)};
}

}  // namespace

Status Dispatch::Put(std::wstring_view member, Variant value) {
  std::array<Argument, 1> list{Argument(std::move(value))};
  Result<Variant> result = Invoke(DISPATCH_PROPERTYPUT, member, list);
  if (!result) return result.failure();
  return Ok();
}

Result<std::vector<DISPID>> Dispatch::Ids(std::wstring_view member, std::span<const Argument> args) {
  std::vector<std::wstring> names{std::wstring(member)};
  std::wstring key(member);
  for (const Argument& arg : args) {
    if (arg.name) {
      names.emplace_back(arg.name);
      key.append(1, L'\n').append(arg.name);
    } else if (names.size() > 1) {
      return Failure{E_INVALIDARG, std::wstring(member) + L": 命名参数之后不能再有位置参数"};
    }
  }
  if (auto cached = kind_->ids.find(key); cached != kind_->ids.end()) return cached->second;

  std::vector<LPOLESTR> pointers;
  for (std::wstring& name : names) pointers.push_back(name.data());
  std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
  const HRESULT hr = object_->GetIDsOfNames(IID_NULL, pointers.data(), static_cast<UINT>(pointers.size()),
                                            LOCALE_USER_DEFAULT, ids.data());
  if (FAILED(hr)) return Failure{hr, DescribeCode(member, hr)};
  kind_->ids.emplace(std::move(key), ids);
  return ids;
}

Result<Variant> Dispatch::Invoke(WORD flags, std::wstring_view member, std::span<Argument> args) {
  if (!object_) return Failure{E_POINTER, DescribeCode(member, E_POINTER)};
  Result<std::vector<DISPID>> ids = Ids(member, args);
  if (!ids) return ids.failure();

  // COM takes the arguments last first, so the named ones (and the value of a
  // put, named DISPID_PROPERTYPUT) lead. The VARIANTs are shallow copies:
  // `args` still owns them.
  std::vector<VARIANTARG> reversed;
  std::vector<DISPID> named;
  if (flags & DISPATCH_PROPERTYPUT) named.push_back(DISPID_PROPERTYPUT);
  std::size_t next_name = ids->size();
  for (std::size_t i = args.size(); i-- > 0;) {
    reversed.push_back(args[i].value.raw());
    if (args[i].name) named.push_back((*ids)[--next_name]);
  }
  DISPPARAMS params{reversed.data(), named.data(), static_cast<UINT>(reversed.size()),
                    static_cast<UINT>(named.size())};

  Variant result;
  ExceptionInfo exception;
  UINT bad_argument = 0;
  const HRESULT hr = object_->Invoke((*ids)[0], IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                     (flags & DISPATCH_PROPERTYPUT) ? nullptr : result.Receive(),
                                     exception.get(), &bad_argument);
  if (hr == DISP_E_EXCEPTION) return ToFailure(exception, member, hr);
  if (FAILED(hr)) return Failure{hr, DescribeCode(member, hr)};
  return result;
}

Result<Dispatch> Dispatch::ChildOf(Result<Variant> result, std::wstring_view member) {
  if (!result) return result.failure();
  ComPtr<IDispatch> child = result->ToDispatch();
  if (!child) return Failure{E_NOINTERFACE, L"调用 " + std::wstring(member) + L" 没有返回对象"};
  std::shared_ptr<Kind>& kind = kind_->children[std::wstring(member)];
  if (!kind) kind = std::make_shared<Kind>();
  return Dispatch(std::move(child), kind);
}

}  // namespace tessaro::word
