// wordproxy.dll: the client's end of the call channel (see call_wire.h).
// COM loads it to unmarshal the server's objects; each becomes a proxy that
// puts its calls in its server's mailbox, from the calling thread.
#include "transport/call_wire.h"
#include "win32/com_object.h"
#include "transport/mailbox.h"
#include "base/text.h"

#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

using namespace wordsrv;
using tessaro::ComObject;

namespace {

// Asked for by a proxy to learn that an argument is one of ours.
constexpr IID IID_TessaroWordProxyObject = {0x7e3a0c55, 0x2b1f, 0x4d8e, {0xa4, 0x6c, 0x19, 0x5d, 0x03, 0xe2, 0x7b, 0x90}};

// One server's mailbox, shared by all proxies of its objects. A server
// that has gone fails every call from then on, as COM fails calls into a
// server that died.
class Connection {
public:
    static HRESULT open(const wire::ObjectRef& ref, std::shared_ptr<Connection>& connection);
    ~Connection();

    // Sends a request and waits for its reply; fails with the RPC error a
    // dead server gives.
    HRESULT transact(const Fields& request, Fields& reply);
    // The client's last reference to an object. It goes with the next
    // request, as each signal costs a round trip to the wine server.
    void release(uint32_t id);

private:
    Mailbox box_;
    KernelHandle server_;
    std::mutex mutex_;
    bool broken_ = false;
    Fields released_{"release"};
};

HRESULT Connection::open(const wire::ObjectRef& ref, std::shared_ptr<Connection>& connection)
{
    static std::mutex openMutex;
    static std::map<std::string, std::weak_ptr<Connection>> open;
    std::lock_guard<std::mutex> lock(openMutex);
    connection = open[ref.token].lock();
    if (connection)
        return S_OK;
    auto fresh = std::make_shared<Connection>();
    fresh->box_ = Mailbox::open(ref.token);
    fresh->server_.reset(OpenProcess(SYNCHRONIZE, FALSE, ref.process));
    if (!fresh->box_ || !fresh->server_)
        return RPC_E_SERVER_DIED_DNE;
    open[ref.token] = fresh;
    connection = std::move(fresh);
    return S_OK;
}

// What the client held goes at once, whatever releases were still to be sent.
Connection::~Connection()
{
    if (!broken_ && box_.put({{"goodbye"}}))
        SetEvent(box_.requested());
}

HRESULT Connection::transact(const Fields& request, Fields& reply)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (broken_)
        return RPC_E_SERVER_DIED_DNE;
    std::vector<Fields> sent{request};
    if (released_.size() > 1)
        sent.insert(sent.begin(), released_);
    if (!box_.put(sent))
        return E_OUTOFMEMORY;
    released_.resize(1);
    SetEvent(box_.requested());
    const HANDLE waits[] = {box_.answered(), server_.get()};
    std::vector<Fields> frames;
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 || !box_.take(frames) ||
        frames.size() != 1 || frames[0].empty()) {
        broken_ = true;
        return RPC_E_SERVER_DIED;
    }
    reply = std::move(frames[0]);
    return S_OK;
}

void Connection::release(uint32_t id)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!broken_)
        released_.push_back(wire::number(id));
}

// A reply's HRESULT, or the fault of a reply that is not one.
HRESULT replyCode(const Fields& reply)
{
    long long hr = 0;
    return wire::parseNumber(reply.at(0), hr) ? static_cast<HRESULT>(hr) : RPC_E_INVALID_DATA;
}

class Proxy final : public ComObject<IDispatch> {
public:
    Proxy(std::shared_ptr<Connection> connection, uint32_t id) : connection_(std::move(connection)), id_(id) {}
    // The server lets the object go with the next request.
    ~Proxy() override { connection_->release(id_); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info)
            *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* error, UINT* badArgument) override;

private:
    void* Find(REFIID iid) override
    {
        // idOf reads the answer as the proxy itself.
        return iid == IID_TessaroWordProxyObject ? this : ComObject::Find(iid);
    }

    // The number of an argument object on this connection; 0 for any other.
    uint32_t idOf(IDispatch* object) const
    {
        Proxy* own = nullptr;
        if (!object || FAILED(object->QueryInterface(IID_TessaroWordProxyObject, reinterpret_cast<void**>(&own))))
            return 0;
        const uint32_t id = own->connection_ == connection_ ? own->id_ : 0;
        own->Release();
        return id;
    }

    std::shared_ptr<Connection> connection_;
    const uint32_t id_;
};

HRESULT Proxy::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    Fields request{"names", wire::number(id_)};
    try {
        for (UINT i = 0; i < count; ++i)
            request.push_back(toUtf8(names[i] ? names[i] : L""));
    } catch (const std::exception&) {
        return E_OUTOFMEMORY;
    }
    Fields reply;
    HRESULT hr = connection_->transact(request, reply);
    if (FAILED(hr))
        return hr;
    for (UINT i = 0; i < count; ++i) {
        long long id = DISPID_UNKNOWN;
        ids[i] = i + 1 < reply.size() && wire::parseNumber(reply[i + 1], id) ? static_cast<DISPID>(id) : DISPID_UNKNOWN;
    }
    return replyCode(reply);
}

HRESULT Proxy::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* error,
                      UINT* badArgument)
{
    if (!params)
        return E_INVALIDARG;
    if (result)
        VariantInit(result);
    Fields request{"call", wire::number(id_), wire::number(member), wire::number(flags), result ? "1" : "0",
                   wire::number(params->cNamedArgs)};
    for (UINT i = 0; i < params->cNamedArgs; ++i)
        request.push_back(wire::number(params->rgdispidNamedArgs[i]));
    for (UINT i = 0; i < params->cArgs; ++i) {
        std::string field;
        if (const HRESULT hr = wire::encodeVariant(params->rgvarg[i], [this](IDispatch* o) { return idOf(o); }, field);
            FAILED(hr)) {
            if (badArgument)
                *badArgument = i;
            return hr;
        }
        request.push_back(std::move(field));
    }
    Fields reply;
    if (const HRESULT hr = connection_->transact(request, reply); FAILED(hr))
        return hr;
    if (reply.size() != 6)
        return replyCode(reply);
    const HRESULT hr = replyCode(reply);
    long long number = 0;
    if (badArgument && wire::parseNumber(reply[2], number))
        *badArgument = static_cast<UINT>(number);
    if (hr == DISP_E_EXCEPTION && error) {
        *error = EXCEPINFO{};
        if (wire::parseNumber(reply[3], number))
            error->scode = static_cast<SCODE>(number);
        error->bstrSource = SysAllocString(fromUtf8(reply[4]).c_str());
        error->bstrDescription = SysAllocString(fromUtf8(reply[5]).c_str());
    }
    if (FAILED(hr) || !result)
        return hr;
    const auto proxy = [this](uint32_t id) -> IDispatch* { return new (std::nothrow) Proxy(connection_, id); };
    return wire::decodeVariant(reply[1], proxy, *result);
}

// What COM creates to read an object reference in this process.
class Unmarshaler final : public ComObject<IMarshal> {
public:
    HRESULT STDMETHODCALLTYPE GetUnmarshalClass(REFIID, void*, DWORD, void*, DWORD, CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMarshalSizeMax(REFIID, void*, DWORD, void*, DWORD, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE MarshalInterface(IStream*, REFIID, void*, DWORD, void*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnmarshalInterface(IStream* stream, REFIID iid, void** object) override
    {
        if (!stream || !object)
            return E_POINTER;
        *object = nullptr;
        wire::ObjectRef ref;
        std::shared_ptr<Connection> connection;
        HRESULT hr = wire::readRef(stream, ref);
        if (SUCCEEDED(hr))
            hr = Connection::open(ref, connection);
        if (FAILED(hr))
            return hr;
        Proxy* proxy = new (std::nothrow) Proxy(connection, ref.id);
        if (!proxy) {
            connection->release(ref.id);
            return E_OUTOFMEMORY;
        }
        hr = proxy->QueryInterface(iid, object);
        proxy->Release();
        return hr;
    }
    // A reference nobody unmarshaled: the server lets the object go.
    HRESULT STDMETHODCALLTYPE ReleaseMarshalData(IStream* stream) override
    {
        wire::ObjectRef ref;
        std::shared_ptr<Connection> connection;
        HRESULT hr = stream ? wire::readRef(stream, ref) : E_POINTER;
        if (SUCCEEDED(hr))
            hr = Connection::open(ref, connection);
        if (SUCCEEDED(hr))
            connection->release(ref.id);
        return hr;
    }
    HRESULT STDMETHODCALLTYPE DisconnectObject(DWORD) override { return S_OK; }
};

// One static instance for the life of the module: it keeps its first reference.
class UnmarshalerFactory final : public ComObject<IClassFactory> {
public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        Unmarshaler* unmarshaler = new (std::nothrow) Unmarshaler;
        if (!unmarshaler)
            return E_OUTOFMEMORY;
        const HRESULT hr = unmarshaler->QueryInterface(iid, object);
        unmarshaler->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

UnmarshalerFactory factory;

}  // namespace

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (clsid != wire::CLSID_TessaroWordProxy)
        return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(iid, object);
}

// Proxies and the connections they share may outlive any count COM keeps,
// so the module stays for the life of the process.
extern "C" HRESULT __stdcall DllCanUnloadNow() { return S_FALSE; }
