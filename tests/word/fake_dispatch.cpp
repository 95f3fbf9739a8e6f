#include "fake_dispatch.h"

#include <cwchar>

#include "win32/com_object.h"

namespace tessaro::testing {

int FakeServer::live_objects = 0;

namespace {

HRESULT STDMETHODCALLTYPE FillInLater(EXCEPINFO* info) {
  info->bstrDescription = SysAllocString(L"稍后填写的错误");
  return S_OK;
}

class FakeObject final : public ComObject<IDispatch> {
 public:
  FakeObject(FakeServer& server, std::wstring role) : server_(server), role_(std::move(role)) {
    ++FakeServer::live_objects;
  }
  ~FakeObject() { --FakeServer::live_objects; }

  const std::wstring& role() const { return role_; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    ++server_.lookups[role_ + L"." + names[0]];
    for (UINT i = 0; i < count; ++i) ids[i] = Intern(names[i]);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT*) override {
    const std::vector<std::wstring>& names = server_.names[role_];
    if (id < 0 || static_cast<std::size_t>(id) >= names.size()) {
      server_.calls.push_back(role_ + L".<unknown DISPID " + std::to_wstring(id) + L">");
      return DISP_E_MEMBERNOTFOUND;
    }
    const std::wstring key = role_ + L"." + names[id];
    if (flags & DISPATCH_PROPERTYPUT) {
      // A put names its value DISPID_PROPERTYPUT, or servers refuse it.
      if (params->cArgs != 1 || params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
        return DISP_E_PARAMNOTOPTIONAL;
      server_.calls.push_back(L"put " + key + L" = " + Text(params->rgvarg[0]));
    } else {
      const std::wstring arguments = Arguments(*params);
      const wchar_t* kind = (flags & DISPATCH_METHOD) ? L"" : L"get ";
      const bool bare = arguments.empty() && !(flags & DISPATCH_METHOD);
      server_.calls.push_back(kind + key + (bare ? L"" : L"(" + arguments + L")"));
    }
    if (auto failure = server_.failures.find(key); failure != server_.failures.end()) return failure->second;
    if (auto error = server_.errors.find(key); error != server_.errors.end()) {
      exception->scode = DISP_E_EXCEPTION;
      if (error->second.empty())
        exception->pfnDeferredFillIn = FillInLater;
      else
        exception->bstrDescription = SysAllocString(error->second.c_str());
      exception->bstrSource = SysAllocString(L"Fake");
      return DISP_E_EXCEPTION;
    }
    if (!result) return S_OK;
    if (auto child = server_.children.find(key); child != server_.children.end()) {
      result->vt = VT_DISPATCH;
      result->pdispVal = new FakeObject(server_, child->second);
    } else if (auto number = server_.numbers.find(key); number != server_.numbers.end()) {
      result->vt = VT_I4;
      result->lVal = number->second;
    }
    return S_OK;
  }

 private:
  DISPID Intern(const std::wstring& name) {
    std::vector<std::wstring>& names = server_.names[role_];
    if (names.empty()) names.push_back(L"(none)");
    for (std::size_t i = 0; i < names.size(); ++i)
      if (names[i] == name) return static_cast<DISPID>(i);
    names.push_back(name);
    return static_cast<DISPID>(names.size() - 1);
  }

  std::wstring Text(const VARIANT& value) const {
    switch (value.vt) {
      case VT_BOOL: return value.boolVal ? L"True" : L"False";
      case VT_I4: return std::to_wstring(value.lVal);
      case VT_DISPATCH: return L"<" + static_cast<FakeObject*>(value.pdispVal)->role() + L">";
      case VT_BSTR: {
        std::wstring text = L"\"";
        for (const wchar_t* c = value.bstrVal; *c; ++c) text += *c < 0x20 ? L"\\x" + std::to_wstring(*c) : std::wstring(1, *c);
        return text + L"\"";
      }
      default: return L"?";
    }
  }

  // In call order: positional first, then named, each list reversed back.
  std::wstring Arguments(const DISPPARAMS& params) const {
    std::wstring text;
    for (UINT i = params.cArgs; i-- > 0;) {
      if (!text.empty()) text += L", ";
      if (i < params.cNamedArgs) text += server_.names[role_][params.rgdispidNamedArgs[i]] + L":=";
      text += Text(params.rgvarg[i]);
    }
    return text;
  }

  FakeServer& server_;
  std::wstring role_;
};

}  // namespace

ComPtr<IDispatch> FakeServer::NewObject(const std::wstring& role) {
  return ComPtr<IDispatch>(new FakeObject(*this, role));
}

}  // namespace tessaro::testing
