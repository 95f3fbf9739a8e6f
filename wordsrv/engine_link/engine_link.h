#pragma once
#include "engine_link/frame_io.h"

#include <string>

namespace wordsrv {

// The requests the engine answers, by name.
namespace request = tessaro::wire::request;

// An owned socket.
class Socket {
public:
    Socket() = default;
    explicit Socket(SOCKET s) : socket_(s) {}
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket();
    SOCKET get() const { return socket_; }
    bool valid() const { return socket_ != INVALID_SOCKET; }
    void reset();

private:
    SOCKET socket_ = INVALID_SOCKET;
};

// The connection to the document engine. The engine process is started at
// once, so LibreOffice comes up while COM activation and the client's first
// calls go on; the first request then completes the handshake. Only a peer
// that proves the fresh token is ever accepted.
class EngineLink {
public:
    explicit EngineLink(const std::wstring& enginePath);
    ~EngineLink();
    EngineLink(const EngineLink&) = delete;
    EngineLink& operator=(const EngineLink&) = delete;

    // Sends one request and returns the values of an "ok" reply; an "error"
    // reply, a dead engine or a timeout throws WordError.
    Fields call(const Fields& request);
    // Ends the engine and its soffice (bounded wait for the goodbye).
    void quit();

private:
    void connect();
    [[noreturn]] void fail(const std::wstring& reason);

    Socket listener_;
    Socket peer_;
    std::string token_;
    std::wstring failure_;  // why the engine cannot be used, once it cannot
};

}  // namespace wordsrv
