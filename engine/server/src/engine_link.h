#pragma once
#include "frames.h"
#include "loopback.h"

#include <string>

namespace wordsrv {

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
