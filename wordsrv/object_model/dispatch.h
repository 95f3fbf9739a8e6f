#pragma once
#include "win32/com_object.h"
#include "win32/com_ptr.h"
#include "base/variant.h"
#include "base/word_error.h"

#include <oaidl.h>

#include <array>
#include <atomic>
#include <span>
#include <string>
#include <vector>

namespace wordsrv {

using tessaro::ComPtr;

// One member of an automation class: its name, its DISPID (DISPID_VALUE for
// the default member), its parameter names in Word's order, which are also
// the DISPIDs of the named arguments, and whether it takes a property put.
struct Member {
    const wchar_t* name;
    DISPID id;
    std::array<const wchar_t*, 6> params{};
    bool settable = false;
};

// The arguments of one call, by parameter position, whichever way the caller
// passed them. Missing optional arguments read as the given fallback.
class Args {
public:
    explicit Args(size_t count) : values_(count, nullptr) {}
    VARIANT*& at(size_t index) { return values_[index]; }
    bool has(size_t index) const;
    std::wstring text(size_t index, const wchar_t* name) const;
    long number(size_t index, long fallback) const;
    bool flag(size_t index, bool fallback) const;
    IDispatch* object(size_t index, const wchar_t* name) const;

private:
    Variant converted(size_t index, VARTYPE type, const wchar_t* name) const;
    std::vector<VARIANT*> values_;
};

// A call as the class sees it. A property put carries its value in `value`.
struct Call {
    DISPID member;
    bool put;
    Args args;
    Args value;
    Variant result;
};

// IDispatch from a member table. Subclasses answer `invoke` and throw
// WordError; nothing else escapes to the caller. Every live object keeps the
// server process running. Handed to another process, an object marshals
// itself onto the call channel when there is one.
class DispatchObject : public tessaro::ComObject<IDispatch, IMarshal> {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* error, UINT* badArgument) override;

    HRESULT STDMETHODCALLTYPE GetUnmarshalClass(REFIID iid, void* object, DWORD context, void* contextData,
                                                DWORD flags, CLSID* unmarshaler) override;
    HRESULT STDMETHODCALLTYPE GetMarshalSizeMax(REFIID iid, void* object, DWORD context, void* contextData,
                                                DWORD flags, DWORD* size) override;
    HRESULT STDMETHODCALLTYPE MarshalInterface(IStream* stream, REFIID iid, void* object, DWORD context,
                                               void* contextData, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE UnmarshalInterface(IStream*, REFIID, void**) override;
    HRESULT STDMETHODCALLTYPE ReleaseMarshalData(IStream*) override;
    HRESULT STDMETHODCALLTYPE DisconnectObject(DWORD) override;

protected:
    explicit DispatchObject(std::span<const Member> members);
    ~DispatchObject() override;

    virtual void invoke(Call& call) = 0;
    void* Find(REFIID iid) override;

private:
    const Member* find(DISPID id) const;
    ComPtr<IMarshal> standardMarshal(REFIID iid, DWORD context, void* contextData, DWORD flags);
    std::span<const Member> members_;
};

// A new object handed out as IDispatch (the caller owns the reference).
template <typename T, typename... A> Variant objectResult(A&&... args)
{
    return Variant::of(static_cast<IDispatch*>(new T(std::forward<A>(args)...)));
}

WordError unsupported(const wchar_t* what);

}  // namespace wordsrv
