#include "transport/call_wire.h"

#include "base/text.h"
#include "base/variant.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace wordsrv::wire {

namespace {

constexpr uint32_t kMagic = 0x31435754;  // "TWC1"

HRESULT readExactly(IStream* stream, void* data, ULONG size)
{
    ULONG got = 0;
    const HRESULT hr = stream->Read(data, size, &got);
    return FAILED(hr) ? hr : got == size ? S_OK : STG_E_READFAULT;
}

}  // namespace

std::string number(long long n) { return std::to_string(n); }

bool parseNumber(const std::string& field, long long& n)
{
    if (field.empty() || field.size() > 20)
        return false;
    char* end = nullptr;
    errno = 0;
    n = std::strtoll(field.c_str(), &end, 10);
    return errno == 0 && end == field.c_str() + field.size();
}

HRESULT writeRef(IStream* stream, const ObjectRef& ref)
{
    if (ref.token.size() != 32)
        return E_UNEXPECTED;
    const uint32_t head[2] = {kMagic, ref.process};
    ULONG written = 0;
    HRESULT hr = stream->Write(head, sizeof head, &written);
    if (SUCCEEDED(hr))
        hr = stream->Write(ref.token.data(), 32, &written);
    if (SUCCEEDED(hr))
        hr = stream->Write(&ref.id, sizeof ref.id, &written);
    return hr;
}

HRESULT readRef(IStream* stream, ObjectRef& ref)
{
    uint32_t head[2] = {};
    HRESULT hr = readExactly(stream, head, sizeof head);
    if (FAILED(hr))
        return hr;
    if (head[0] != kMagic || head[1] == 0)
        return E_UNEXPECTED;
    ref.process = head[1];
    ref.token.assign(32, '\0');
    hr = readExactly(stream, ref.token.data(), 32);
    if (SUCCEEDED(hr))
        hr = readExactly(stream, &ref.id, sizeof ref.id);
    return hr;
}

HRESULT encodeVariant(const VARIANT& given, const std::function<uint32_t(IDispatch*)>& objectId, std::string& field)
{
    Variant copy;
    const VARIANT* value = &given;
    if (V_VT(&given) & VT_BYREF) {
        const HRESULT hr = VariantCopyInd(copy.get(), const_cast<VARIANT*>(&given));
        if (FAILED(hr))
            return hr;
        value = copy.get();
    }
    switch (V_VT(value)) {
    case VT_EMPTY:
        field = "-";
        return S_OK;
    case VT_NULL:
        field = "0";
        return S_OK;
    case VT_BOOL:
        field = V_BOOL(value) != VARIANT_FALSE ? "b1" : "b0";
        return S_OK;
    case VT_ERROR:
        field = "e" + number(V_ERROR(value));
        return S_OK;
    case VT_BSTR: {
        const std::wstring text(V_BSTR(value), SysStringLen(V_BSTR(value)));
        // Fields end at a NUL; no name or text of a Word call holds one.
        if (text.find(L'\0') != std::wstring::npos)
            return DISP_E_TYPEMISMATCH;
        field = "s" + toUtf8(text);
        return S_OK;
    }
    case VT_DISPATCH:
        field = "o" + number(objectId(V_DISPATCH(value)));
        return S_OK;
    case VT_UNKNOWN: {
        IDispatch* object = nullptr;
        if (V_UNKNOWN(value) && FAILED(V_UNKNOWN(value)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object))))
            return DISP_E_TYPEMISMATCH;
        const uint32_t id = objectId(object);
        if (object)
            object->Release();
        field = "o" + number(id);
        return S_OK;
    }
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT: {
        Variant converted;
        const HRESULT hr = VariantChangeType(converted.get(), const_cast<VARIANT*>(value), 0, VT_I4);
        if (FAILED(hr))
            return hr;
        field = "i" + number(V_I4(converted.get()));
        return S_OK;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

HRESULT decodeVariant(const std::string& field, const std::function<IDispatch*(uint32_t)>& object, VARIANT& value)
{
    if (field.empty())
        return E_INVALIDARG;
    const std::string rest = field.substr(1);
    long long n = 0;
    switch (field[0]) {
    case '-':
        V_VT(&value) = VT_EMPTY;
        return S_OK;
    case '0':
        V_VT(&value) = VT_NULL;
        return S_OK;
    case 'b':
        V_VT(&value) = VT_BOOL;
        V_BOOL(&value) = rest == "1" ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    case 'e':
    case 'i':
        if (!parseNumber(rest, n) || n < LONG_MIN || n > LONG_MAX)
            return E_INVALIDARG;
        V_VT(&value) = field[0] == 'e' ? VT_ERROR : VT_I4;
        V_I4(&value) = static_cast<LONG>(n);
        return S_OK;
    case 's': {
        const std::wstring text = fromUtf8(rest);
        V_BSTR(&value) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        if (!V_BSTR(&value))
            return E_OUTOFMEMORY;
        V_VT(&value) = VT_BSTR;
        return S_OK;
    }
    case 'o':
        if (!parseNumber(rest, n) || n < 0 || n > 0xFFFFFFFFLL)
            return E_INVALIDARG;
        V_VT(&value) = VT_DISPATCH;
        V_DISPATCH(&value) = n == 0 ? nullptr : object(static_cast<uint32_t>(n));
        return S_OK;
    default:
        return E_INVALIDARG;
    }
}

}  // namespace wordsrv::wire
