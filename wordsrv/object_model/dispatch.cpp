#include "object_model/dispatch.h"

#include "transport/call_channel.h"
#include "base/cause.h"
#include "process/lifetime.h"
#include "base/word_error.h"

#include <exception>
#include <new>

namespace wordsrv {

namespace {

bool sameName(const wchar_t* a, const wchar_t* b)
{
    return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

// VB passes an omitted optional argument as VT_ERROR DISP_E_PARAMNOTFOUND.
bool omitted(const VARIANT* value)
{
    return !value || (V_VT(value) == VT_ERROR && V_ERROR(value) == DISP_E_PARAMNOTFOUND);
}

void describe(EXCEPINFO* error, const WordError& failure)
{
    if (!error)
        return;
    *error = EXCEPINFO{};
    error->scode = failure.code;
    error->bstrSource = SysAllocString(L"Word.Application");
    const std::wstring cause = shortCause(failure.text);
    error->bstrDescription = SysAllocStringLen(cause.data(), static_cast<UINT>(cause.size()));
}

}  // namespace

WordError unsupported(const wchar_t* what)
{
    return WordError{std::wstring(L"不支持的参数值 (unsupported value): ") + what};
}

bool Args::has(size_t index) const { return index < values_.size() && !omitted(values_[index]); }

Variant Args::converted(size_t index, VARTYPE type, const wchar_t* name) const
{
    Variant out;
    if (!has(index) || FAILED(VariantChangeType(out.get(), values_[index], 0, type)))
        // The name inside the Chinese clause: the short cause the client sees keeps it.
        throw WordError{std::wstring(L"参数 ") + name + L" 缺失或类型不对 (missing or mistyped argument)"};
    return out;
}

std::wstring Args::text(size_t index, const wchar_t* name) const
{
    const Variant value = converted(index, VT_BSTR, name);
    const BSTR text = V_BSTR(value.get());
    return std::wstring(text, SysStringLen(text));
}

long Args::number(size_t index, long fallback) const
{
    return has(index) ? V_I4(converted(index, VT_I4, L"number").get()) : fallback;
}

bool Args::flag(size_t index, bool fallback) const
{
    return has(index) ? V_BOOL(converted(index, VT_BOOL, L"flag").get()) != VARIANT_FALSE : fallback;
}

IDispatch* Args::object(size_t index, const wchar_t* name) const
{
    if (has(index)) {
        const VARIANT* value = values_[index];
        if (V_VT(value) == VT_DISPATCH && V_DISPATCH(value))
            return V_DISPATCH(value);
        if (V_VT(value) == (VT_DISPATCH | VT_BYREF) && *V_DISPATCHREF(value))
            return *V_DISPATCHREF(value);
    }
    throw WordError{std::wstring(L"参数必须是对象 (expected an object): ") + name};
}

DispatchObject::DispatchObject(std::span<const Member> members) : members_(members) { lifetime::objectCreated(); }

DispatchObject::~DispatchObject() { lifetime::objectDestroyed(); }

// IMarshal only while there is a call channel to marshal onto; COM's
// standard marshaling otherwise.
void* DispatchObject::Find(REFIID iid)
{
    if (iid == IID_IMarshal)
        return CallChannel::active() ? static_cast<IMarshal*>(this) : nullptr;
    return ComObject::Find(iid);
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

const Member* DispatchObject::find(DISPID id) const
{
    for (const Member& member : members_)
        if (member.id == id)
            return &member;
    return nullptr;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    const Member* found = nullptr;
    for (const Member& member : members_)
        if (sameName(member.name, names[0]))
            found = &member;
    HRESULT result = S_OK;
    ids[0] = found ? found->id : DISPID_UNKNOWN;
    if (!found)
        result = DISP_E_UNKNOWNNAME;
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        for (DISPID p = 0; found && p < static_cast<DISPID>(found->params.size()) && found->params[p]; ++p)
            if (sameName(found->params[p], names[i]))
                ids[i] = p;
        if (ids[i] == DISPID_UNKNOWN)
            result = DISP_E_UNKNOWNNAME;
    }
    return result;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO* error, UINT* badArgument)
{
    const Member* member = find(id);
    if (!member)
        return DISP_E_MEMBERNOTFOUND;
    if (!params)
        return E_INVALIDARG;
    size_t slots = 0;
    while (slots < member->params.size() && member->params[slots])
        ++slots;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (put && !member->settable)
        return DISP_E_MEMBERNOTFOUND;
    // A put passes its value as the one named argument DISPID_PROPERTYPUT.
    UINT named = params->cNamedArgs;
    if (put && (named == 0 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
        return DISP_E_PARAMNOTOPTIONAL;
    const UINT positional = params->cArgs - named;
    if (positional > slots)
        return DISP_E_BADPARAMCOUNT;
    try {
        Call call{id, put, Args(slots), Args(1), Variant()};
        // Positional arguments arrive last to first, after the named ones.
        for (UINT i = 0; i < positional; ++i)
            call.args.at(i) = &params->rgvarg[params->cArgs - 1 - i];
        for (UINT i = 0; i < named; ++i) {
            const DISPID slot = params->rgdispidNamedArgs[i];
            if (slot == DISPID_PROPERTYPUT) {
                call.value.at(0) = &params->rgvarg[i];
                continue;
            }
            if (slot < 0 || static_cast<size_t>(slot) >= slots) {
                if (badArgument)
                    *badArgument = i;
                return DISP_E_PARAMNOTFOUND;
            }
            call.args.at(static_cast<size_t>(slot)) = &params->rgvarg[i];
        }
        invoke(call);
        if (result)
            call.result.moveTo(result);
        return S_OK;
    } catch (const WordError& e) {
        describe(error, e);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception&) {
        describe(error, WordError{L"内部错误 (internal error)"});
    }
    return DISP_E_EXCEPTION;
}

}  // namespace wordsrv
