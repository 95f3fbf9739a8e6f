#include "base/variant.h"

#include <new>

namespace wordsrv {

Bstr::Bstr(const std::wstring& text) : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
{
    if (!text_)
        throw std::bad_alloc();
}

Variant Variant::of(long number)
{
    Variant v;
    V_VT(v.get()) = VT_I4;
    V_I4(v.get()) = number;
    return v;
}

Variant Variant::of(bool flag)
{
    Variant v;
    V_VT(v.get()) = VT_BOOL;
    V_BOOL(v.get()) = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

Variant Variant::of(const std::wstring& text)
{
    Bstr owned(text);
    Variant v;
    V_VT(v.get()) = VT_BSTR;
    V_BSTR(v.get()) = owned.detach();
    return v;
}

Variant Variant::of(IDispatch* object)
{
    Variant v;
    V_VT(v.get()) = VT_DISPATCH;
    V_DISPATCH(v.get()) = object;
    return v;
}

}  // namespace wordsrv
