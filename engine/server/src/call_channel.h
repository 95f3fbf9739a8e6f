#pragma once
#include "call_wire.h"
#include "com_ptr.h"
#include "engine_link.h"

#include <atomic>
#include <map>
#include <mutex>

namespace wordsrv {

// The server's end of the connection its objects' proxies call on (see
// call_wire.h). Calls run on the thread that made the channel, one at a
// time, as COM would run them in this apartment. Whatever cannot be set up
// (the proxy not registered, no socket) leaves the channel inactive, and
// the objects marshal the standard way.
class CallChannel {
public:
    CallChannel();
    ~CallChannel();
    CallChannel(const CallChannel&) = delete;
    CallChannel& operator=(const CallChannel&) = delete;

    // The process's active channel, if any.
    static CallChannel* active();

    // A new number for `object`, which keeps a reference until the client
    // releases it or goes.
    wire::ObjectRef refer(IDispatch* object);
    void forget(uint32_t id);

private:
    // One request, with the releases sent before it, and its reply.
    struct Exchange {
        Fields released;
        Fields request;
        Fields reply;
    };

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void listen();
    void serve(const Socket& peer);
    Fields answer(const Exchange& exchange);
    Fields names(IDispatch* object, const Fields& request);
    Fields call(IDispatch* object, const Fields& request);
    ComPtr<IDispatch> find(uint32_t id);
    uint32_t add(IDispatch* object);
    void dropAll();

    HWND window_ = nullptr;
    Socket listener_;
    std::atomic<SOCKET> peer_{INVALID_SOCKET};
    std::atomic<bool> stopping_{false};
    uint32_t port_ = 0;
    std::string token_;
    std::mutex mutex_;
    std::map<uint32_t, ComPtr<IDispatch>> objects_;
    uint32_t nextId_ = 1;
    HANDLE thread_ = nullptr;
};

}  // namespace wordsrv
