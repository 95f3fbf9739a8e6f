#pragma once
// The call channel's transport: one request or reply at a time in shared
// memory, announced by an event each way. Under Wine a call then costs two
// event signals and two waits, where a socket costs a round trip to the
// wine server for every read, write and readiness check.
#include "contract/engine_wire.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace wordsrv {

using tessaro::wire::Fields;

using tessaro::KernelHandle;

class Mailbox {
public:
    // The server's end: new objects named after `token`.
    static Mailbox create(const std::string& token);
    // The client's end, opened by name; false when the server is not there.
    static Mailbox open(const std::string& token);
    Mailbox() = default;
    Mailbox(Mailbox&& other) noexcept;
    Mailbox& operator=(Mailbox&& other) noexcept;
    Mailbox(const Mailbox&) = delete;
    Mailbox& operator=(const Mailbox&) = delete;
    ~Mailbox();

    explicit operator bool() const { return view_ != nullptr; }
    // Signalled when a request waits (the server waits on it).
    HANDLE requested() const { return request_.get(); }
    // Signalled when the reply is there (the client waits on it).
    HANDLE answered() const { return reply_.get(); }

    // Frames replacing what the box held; false when one is longer than the
    // wire allows or all of them more than the box holds.
    bool put(const std::vector<Fields>& frames);
    // The frames the box holds, in order; false when they are not well formed.
    bool take(std::vector<Fields>& frames) const;

private:
    KernelHandle mapping_;
    KernelHandle request_;
    KernelHandle reply_;
    uint32_t* view_ = nullptr;  // the length, then the bytes
};

}  // namespace wordsrv
