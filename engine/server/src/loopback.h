#pragma once
#include <winsock2.h>

#include <string>

namespace wordsrv {

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

// A fresh secret of 32 hex digits, which a peer proves it was handed.
std::string freshToken();
// Compares in constant time.
bool sameSecret(const std::string& a, const std::string& b);
// A socket listening on 127.0.0.1 at a port of the system's choosing.
Socket listenOnLoopback(int& port);

}  // namespace wordsrv
