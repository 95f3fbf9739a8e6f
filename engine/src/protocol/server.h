#pragma once
#include "protocol/frame_io.h"

#include <chrono>
#include <string>

namespace tessaro {

class Session;

// Where the parent listens and the secret that proves we are the engine it
// started. Both come from the environment and are removed from it at once,
// so no child process (soffice) inherits the token.
struct Endpoint {
    int port = 0;
    std::string token;
};

Endpoint endpointFromEnvironment();

// A whole number given as digits only ("2.5", "-1", "abc" and "" are not).
int number(const std::string& text);

// Runs one request against the session; errors become an "error" reply.
// Sets `quit` when the client asked the engine to end.
Fields dispatch(Session& session, const Fields& request, bool& quit);

// Connects to 127.0.0.1:port, authenticates, starts LibreOffice and serves
// requests until the client quits or goes away. Returns the exit status.
int serve(const Endpoint& endpoint, std::chrono::milliseconds callLimit);

}  // namespace tessaro
