#pragma once
#include "transport/call_wire.h"
#include "win32/com_ptr.h"
#include "transport/mailbox.h"

#include <map>

namespace wordsrv {

using tessaro::ComPtr;

// The server's end of the channel its objects' proxies call on (see
// call_wire.h). The thread that made it answers, between its messages,
// whenever `requested` is signalled: one call at a time, as COM would run
// them in this apartment. Objects are marshaled on that thread too, so the
// table needs no lock. Whatever cannot be set up (the proxy not
// registered, no mailbox) leaves the channel inactive, and the objects
// marshal the standard way.
class CallChannel {
public:
    CallChannel();
    ~CallChannel();
    CallChannel(const CallChannel&) = delete;
    CallChannel& operator=(const CallChannel&) = delete;

    // The process's active channel, if any.
    static CallChannel* active();

    // Signalled when a request waits; nullptr when the channel is inactive.
    HANDLE requested() const { return box_.requested(); }
    void answer();

    // A new number for `object`, which keeps a reference until the client
    // releases it or says goodbye.
    wire::ObjectRef refer(IDispatch* object);
    void forget(uint32_t id);

private:
    Fields answer(const Fields& request);
    Fields names(IDispatch* object, const Fields& request);
    Fields call(IDispatch* object, const Fields& request);
    ComPtr<IDispatch> find(uint32_t id);
    uint32_t add(IDispatch* object);
    void dropAll();

    std::string token_;
    Mailbox box_;
    std::map<uint32_t, ComPtr<IDispatch>> objects_;
    uint32_t nextId_ = 1;
};

}  // namespace wordsrv
