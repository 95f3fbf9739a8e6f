#include "transport/call_channel.h"

#include "base/fresh_token.h"
#include "base/text.h"
#include "base/variant.h"
#include "base/word_error.h"
#include "win32/exception_info.h"

#include <atomic>
#include <vector>

namespace wordsrv {

namespace {

std::atomic<CallChannel*> current{nullptr};

bool proxyRegistered()
{
    wchar_t clsid[40];
    if (!StringFromGUID2(wire::CLSID_TessaroWordProxy, clsid, 40))
        return false;
    HKEY key = nullptr;
    const std::wstring path = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The arguments of one call, cleared on every path.
struct Arguments {
    std::vector<VARIANT> values;
    explicit Arguments(size_t count) : values(count)
    {
        for (VARIANT& v : values)
            VariantInit(&v);
    }
    ~Arguments()
    {
        for (VARIANT& v : values)
            VariantClear(&v);
    }
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;
};

Fields failed(HRESULT hr) { return {wire::number(hr)}; }

}  // namespace

CallChannel::CallChannel()
{
    if (!proxyRegistered())
        return;
    try {
        token_ = freshToken();
    } catch (const WordError&) {
        return;
    }
    box_ = Mailbox::create(token_);
    if (box_)
        current = this;
}

CallChannel::~CallChannel()
{
    if (current == this)
        current = nullptr;
    dropAll();
}

CallChannel* CallChannel::active() { return current; }

wire::ObjectRef CallChannel::refer(IDispatch* object)
{
    return {static_cast<uint32_t>(GetCurrentProcessId()), token_, add(object)};
}

uint32_t CallChannel::add(IDispatch* object)
{
    if (!object)
        return 0;
    objects_.emplace(nextId_, ComPtr<IDispatch>::Share(object));
    return nextId_++;
}

void CallChannel::forget(uint32_t id)
{
    ComPtr<IDispatch> gone;
    const auto it = objects_.find(id);
    if (it == objects_.end())
        return;
    gone = std::move(it->second);
    objects_.erase(it);
}

ComPtr<IDispatch> CallChannel::find(uint32_t id)
{
    const auto it = objects_.find(id);
    if (it == objects_.end())
        return {};
    return ComPtr<IDispatch>::Share(it->second.get());
}

void CallChannel::dropAll()
{
    std::map<uint32_t, ComPtr<IDispatch>> gone;
    gone.swap(objects_);
}

// Releases come just before the request they were sent with.
void CallChannel::answer()
{
    std::vector<Fields> frames;
    Fields reply;
    if (!box_.take(frames))
        reply = failed(RPC_E_INVALID_DATA);
    for (const Fields& frame : frames) {
        long long id = 0;
        if (!frame.empty() && frame[0] == "release") {
            for (size_t i = 1; i < frame.size(); ++i)
                if (wire::parseNumber(frame[i], id))
                    forget(static_cast<uint32_t>(id));
        } else if (!frame.empty() && frame[0] == "goodbye") {
            dropAll();
        } else {
            reply = answer(frame);
        }
    }
    // A reply longer than the box holds is answered as a failure, never left unanswered.
    if (!reply.empty() && (box_.put({reply}) || box_.put({failed(E_OUTOFMEMORY)})))
        SetEvent(box_.answered());
}

Fields CallChannel::answer(const Fields& request)
{
    long long id = 0;
    if (request.size() < 2 || !wire::parseNumber(request[1], id))
        return failed(RPC_E_INVALID_DATA);
    const ComPtr<IDispatch> object = find(static_cast<uint32_t>(id));
    if (!object)
        return failed(CO_E_OBJNOTCONNECTED);
    if (request[0] == "names")
        return names(object.get(), request);
    if (request[0] == "call")
        return call(object.get(), request);
    return failed(RPC_E_INVALID_DATA);
}

Fields CallChannel::names(IDispatch* object, const Fields& request)
{
    std::vector<std::wstring> texts;
    for (size_t i = 2; i < request.size(); ++i)
        texts.push_back(fromUtf8(request[i]));
    if (texts.empty())
        return failed(E_INVALIDARG);
    std::vector<LPOLESTR> pointers;
    for (std::wstring& text : texts)
        pointers.push_back(text.data());
    std::vector<DISPID> ids(texts.size(), DISPID_UNKNOWN);
    const HRESULT hr = object->GetIDsOfNames(IID_NULL, pointers.data(), static_cast<UINT>(pointers.size()),
                                             LOCALE_USER_DEFAULT, ids.data());
    Fields reply{wire::number(hr)};
    for (DISPID id : ids)
        reply.push_back(wire::number(id));
    return reply;
}

// "call" id dispid flags want-result named-count named... arguments...
Fields CallChannel::call(IDispatch* object, const Fields& request)
{
    long long member = 0, flags = 0, wantResult = 0, namedCount = 0;
    if (request.size() < 6 || !wire::parseNumber(request[2], member) || !wire::parseNumber(request[3], flags) ||
        !wire::parseNumber(request[4], wantResult) || !wire::parseNumber(request[5], namedCount) || namedCount < 0 ||
        static_cast<size_t>(namedCount) > request.size() - 6)
        return failed(RPC_E_INVALID_DATA);
    std::vector<DISPID> named;
    for (long long i = 0; i < namedCount; ++i) {
        long long id = 0;
        if (!wire::parseNumber(request[6 + i], id))
            return failed(RPC_E_INVALID_DATA);
        named.push_back(static_cast<DISPID>(id));
    }
    const size_t first = 6 + static_cast<size_t>(namedCount);
    Arguments args(request.size() - first);
    const auto resolve = [this](uint32_t id) -> IDispatch* {
        IDispatch* object = find(id).get();
        if (object)
            object->AddRef();
        return object;
    };
    for (size_t i = 0; i < args.values.size(); ++i)
        if (FAILED(wire::decodeVariant(request[first + i], resolve, args.values[i])))
            return failed(RPC_E_INVALID_DATA);
    DISPPARAMS params{args.values.data(), named.data(), static_cast<UINT>(args.values.size()),
                      static_cast<UINT>(named.size())};
    Variant result;
    tessaro::ExceptionInfo failure;
    UINT badArgument = 0;
    HRESULT hr = object->Invoke(static_cast<DISPID>(member), IID_NULL, LOCALE_USER_DEFAULT, static_cast<WORD>(flags),
                                &params, wantResult ? result.get() : nullptr, failure.get(), &badArgument);
    std::string value = "-";
    if (SUCCEEDED(hr)) {
        try {
            hr = wire::encodeVariant(*result.get(), [this](IDispatch* object) { return add(object); }, value);
        } catch (const std::exception&) {
            hr = E_OUTOFMEMORY;
        }
    }
    const EXCEPINFO& info = failure.filled();
    const auto text = [](BSTR b) { return b ? toUtf8(std::wstring(b, SysStringLen(b))) : std::string(); };
    return {wire::number(hr), value, wire::number(badArgument), wire::number(info.scode), text(info.bstrSource),
            text(info.bstrDescription)};
}

}  // namespace wordsrv
