#include "word_client.h"

#include "base/text.h"

#include <cstdio>

namespace wordsrv::test {

ComFailure::ComFailure(HRESULT code, std::wstring description) : code(code), description(std::move(description))
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(code));
    text_ = std::string(hex) + ": " + toUtf8(this->description);
}

Arg::Arg(const Dispatch& object) : kind(VT_DISPATCH), object(object.get()) {}

Variant Arg::value() const
{
    switch (kind) {
    case VT_BSTR:
        return Variant::of(text);
    case VT_BOOL:
        return Variant::of(number != 0);
    case VT_DISPATCH:
        object->AddRef();
        return Variant::of(object);
    default:
        return Variant::of(number);
    }
}

Dispatch Dispatch::create(const wchar_t* progId)
{
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr))
        throw ComFailure{hr, L"CLSIDFromProgID"};
    ComPtr<IDispatch> object;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(object.put()));
    if (FAILED(hr))
        throw ComFailure{hr, L"CoCreateInstance"};
    return Dispatch(std::move(object));
}

Variant Dispatch::invoke(const wchar_t* member, WORD flags, const std::vector<Arg>& args) const
{
    std::vector<const wchar_t*> names{member};
    for (const Arg& arg : args)
        if (!arg.name.empty())
            names.push_back(arg.name.c_str());
    std::vector<DISPID> ids(names.size());
    HRESULT hr = object_->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(names.data()), static_cast<UINT>(names.size()),
                                        LOCALE_USER_DEFAULT, ids.data());
    if (FAILED(hr))
        throw ComFailure{hr, std::wstring(L"GetIDsOfNames ") + member};
    // Invoke wants named arguments first and positional ones last to first.
    std::vector<Variant> values;
    std::vector<DISPID> namedIds;
    for (const Arg& arg : args)
        if (!arg.name.empty()) {
            values.push_back(arg.value());
            namedIds.push_back(ids[namedIds.size() + 1]);
        }
    if (flags == DISPATCH_PROPERTYPUT)
        namedIds.insert(namedIds.begin(), DISPID_PROPERTYPUT);
    std::vector<Variant> positional;
    for (const Arg& arg : args)
        if (arg.name.empty())
            positional.push_back(arg.value());
    if (flags == DISPATCH_PROPERTYPUT) {
        values.insert(values.begin(), std::move(positional.back()));
        positional.pop_back();
    }
    for (auto it = positional.rbegin(); it != positional.rend(); ++it)
        values.push_back(std::move(*it));
    std::vector<VARIANT> raw;
    for (Variant& v : values)
        raw.push_back(*v.get());
    DISPPARAMS params{raw.data(), namedIds.data(), static_cast<UINT>(raw.size()), static_cast<UINT>(namedIds.size())};
    Variant result;
    EXCEPINFO error{};
    UINT badArgument = 0;
    hr = object_->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                         flags == DISPATCH_PROPERTYPUT ? nullptr : result.get(), &error, &badArgument);
    const Bstr source = Bstr::adopt(error.bstrSource), description = Bstr::adopt(error.bstrDescription),
               help = Bstr::adopt(error.bstrHelpFile);
    if (FAILED(hr))
        throw ComFailure{hr, description.get() ? std::wstring(description.get()) : std::wstring(member)};
    return result;
}

Variant Dispatch::call(const wchar_t* member, const std::vector<Arg>& args) const
{
    return invoke(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

Dispatch Dispatch::object(const wchar_t* member, const std::vector<Arg>& args) const
{
    Variant result = call(member, args);
    if (V_VT(result.get()) != VT_DISPATCH || !V_DISPATCH(result.get()))
        throw ComFailure{E_NOINTERFACE, std::wstring(member) + L" is not an object"};
    return Dispatch(ComPtr<IDispatch>::Share(V_DISPATCH(result.get())));
}

long Dispatch::number(const wchar_t* member, const std::vector<Arg>& args) const
{
    Variant result = call(member, args);
    Variant converted;
    if (FAILED(VariantChangeType(converted.get(), result.get(), 0, VT_I4)))
        throw ComFailure{DISP_E_TYPEMISMATCH, member};
    return V_I4(converted.get());
}

std::wstring Dispatch::text(const wchar_t* member, const std::vector<Arg>& args) const
{
    Variant result = call(member, args);
    Variant converted;
    if (FAILED(VariantChangeType(converted.get(), result.get(), 0, VT_BSTR)))
        throw ComFailure{DISP_E_TYPEMISMATCH, member};
    return std::wstring(V_BSTR(converted.get()), SysStringLen(V_BSTR(converted.get())));
}

void Dispatch::put(const wchar_t* member, const Arg& value) const { invoke(member, DISPATCH_PROPERTYPUT, {value}); }

}  // namespace wordsrv::test
