#include "call_channel.h"

#include "text.h"
#include "word_error.h"

#include <memory>
#include <vector>

namespace wordsrv {

namespace {

using namespace std::chrono_literals;

// A request from the connection, run on the channel's own thread.
constexpr UINT kAnswer = WM_APP + 10;
constexpr UINT kDropAll = WM_APP + 11;

constexpr auto kHelloLimit = 10s;

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

struct Failure {
    EXCEPINFO info{};
    ~Failure()
    {
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
    }
};

Fields failed(HRESULT hr) { return {wire::number(hr)}; }

}  // namespace

CallChannel::CallChannel()
{
    if (!proxyRegistered())
        return;
    try {
        int port = 0;
        listener_ = listenOnLoopback(port);
        port_ = static_cast<uint32_t>(port);
        token_ = freshToken();
    } catch (const WordError&) {
        listener_.reset();
        return;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &CallChannel::windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"TessaroWordCalls";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (!window_) {
        listener_.reset();
        return;
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    thread_ = CreateThread(
        nullptr, 0,
        [](void* self) -> DWORD {
            static_cast<CallChannel*>(self)->listen();
            return 0;
        },
        this, 0, nullptr);
    if (thread_)
        current = this;
}

CallChannel::~CallChannel()
{
    if (current == this)
        current = nullptr;
    if (thread_) {
        stopping_ = true;
        // A read waiting in another thread ends only when cancelled.
        const SOCKET peer = peer_.load();
        if (peer != INVALID_SOCKET) {
            shutdown(peer, SD_BOTH);
            CancelIoEx(reinterpret_cast<HANDLE>(peer), nullptr);
        }
        // The thread may be waiting for this one to answer a request.
        while (MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        CloseHandle(thread_);
    }
    if (window_)
        DestroyWindow(window_);
    objects_.clear();
}

CallChannel* CallChannel::active() { return current; }

wire::ObjectRef CallChannel::refer(IDispatch* object) { return {port_, token_, add(object)}; }

uint32_t CallChannel::add(IDispatch* object)
{
    if (!object)
        return 0;
    std::lock_guard<std::mutex> lock(mutex_);
    objects_.emplace(nextId_, ComPtr<IDispatch>::Share(object));
    return nextId_++;
}

void CallChannel::forget(uint32_t id)
{
    ComPtr<IDispatch> gone;
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = objects_.find(id);
    if (it == objects_.end())
        return;
    gone = std::move(it->second);
    objects_.erase(it);
}

ComPtr<IDispatch> CallChannel::find(uint32_t id)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = objects_.find(id);
    if (it == objects_.end())
        return {};
    return ComPtr<IDispatch>::Share(it->second.get());
}

void CallChannel::dropAll()
{
    std::map<uint32_t, ComPtr<IDispatch>> gone;
    std::lock_guard<std::mutex> lock(mutex_);
    gone.swap(objects_);
}

LRESULT CALLBACK CallChannel::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* channel = reinterpret_cast<CallChannel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (channel && message == kAnswer) {
        auto* exchange = reinterpret_cast<Exchange*>(lParam);
        exchange->reply = channel->answer(*exchange);
        return 0;
    }
    if (channel && message == kDropAll) {
        channel->dropAll();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// One client at a time, as long as the server runs: a client that let go of
// every object may connect again with the next one COM hands it.
void CallChannel::listen()
{
    while (!stopping_) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(listener_.get(), &set);
        timeval wait{0, 200000};
        if (select(0, &set, nullptr, nullptr, &wait) <= 0)
            continue;
        Socket candidate(accept(listener_.get(), nullptr, nullptr));
        Fields hello;
        // Anything that cannot prove the token is dropped unanswered.
        if (!candidate.valid() || readFrame(candidate.get(), hello, kHelloLimit) != IoResult::Done ||
            hello.size() != 2 || hello[0] != "hello" || !sameSecret(hello[1], token_))
            continue;
        // Replies are small and each is awaited: none may wait for more.
        const BOOL noDelay = TRUE;
        setsockopt(candidate.get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
        peer_ = candidate.get();
        if (!stopping_)
            serve(candidate);
        peer_ = INVALID_SOCKET;
        // What the client held goes with its connection.
        if (!stopping_)
            SendMessageW(window_, kDropAll, 0, 0);
    }
}

// Releases wait for the request they came with, to be run with it.
void CallChannel::serve(const Socket& peer)
{
    FrameReader reader(peer.get());
    Exchange exchange;
    while (reader.next(exchange.request) == IoResult::Done && !stopping_) {
        if (!exchange.request.empty() && exchange.request[0] == "release") {
            exchange.released.insert(exchange.released.end(), exchange.request.begin() + 1, exchange.request.end());
            continue;
        }
        SendMessageW(window_, kAnswer, 0, reinterpret_cast<LPARAM>(&exchange));
        exchange.released.clear();
        if (!writeAll(peer.get(), encodeFrame(exchange.reply)))
            return;
    }
}

Fields CallChannel::answer(const Exchange& exchange)
{
    long long id = 0;
    for (const std::string& released : exchange.released)
        if (wire::parseNumber(released, id))
            forget(static_cast<uint32_t>(id));
    const Fields& request = exchange.request;
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
    VARIANT result;
    VariantInit(&result);
    Failure failure;
    UINT badArgument = 0;
    HRESULT hr = object->Invoke(static_cast<DISPID>(member), IID_NULL, LOCALE_USER_DEFAULT, static_cast<WORD>(flags),
                                &params, wantResult ? &result : nullptr, &failure.info, &badArgument);
    std::string value = "-";
    if (SUCCEEDED(hr)) {
        try {
            hr = wire::encodeVariant(result, [this](IDispatch* object) { return add(object); }, value);
        } catch (const std::exception&) {
            hr = E_OUTOFMEMORY;
        }
    }
    VariantClear(&result);
    if (failure.info.pfnDeferredFillIn)
        failure.info.pfnDeferredFillIn(&failure.info);
    const auto text = [](BSTR b) { return b ? toUtf8(std::wstring(b, SysStringLen(b))) : std::string(); };
    return {wire::number(hr), value, wire::number(badArgument), wire::number(failure.info.scode),
            text(failure.info.bstrSource), text(failure.info.bstrDescription)};
}

}  // namespace wordsrv
