#include "loopback.h"

#include "word_error.h"

#include <ws2tcpip.h>
#include <bcrypt.h>

#include <utility>

namespace wordsrv {

std::string freshToken()
{
    unsigned char bytes[16];
    if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, bytes, sizeof bytes, BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
        throw WordError{L"无法生成随机数 (no random source)"};
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (unsigned char b : bytes) {
        token += digits[b >> 4];
        token += digits[b & 15];
    }
    return token;
}

bool sameSecret(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

Socket listenOnLoopback(int& port)
{
    Socket listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!listener.valid())
        throw WordError{L"无法创建套接字 (socket failed)"};
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    if (bind(listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener.get(), 4) != 0 ||
        getsockname(listener.get(), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw WordError{L"无法在 127.0.0.1 上监听 (listen failed)"};
    port = ntohs(address.sin_port);
    return listener;
}

Socket::Socket(Socket&& other) noexcept : socket_(std::exchange(other.socket_, INVALID_SOCKET)) {}

Socket& Socket::operator=(Socket&& other) noexcept
{
    std::swap(socket_, other.socket_);
    return *this;
}

Socket::~Socket() { reset(); }

void Socket::reset()
{
    if (socket_ != INVALID_SOCKET)
        closesocket(std::exchange(socket_, INVALID_SOCKET));
}

}  // namespace wordsrv
