#include "engine_link/engine_link.h"

#include "base/fresh_token.h"
#include "base/text.h"
#include "base/word_error.h"
#include "win32/unique_handle.h"

#include <ws2tcpip.h>

#include <memory>
#include <utility>

namespace wordsrv {

namespace wire = tessaro::wire;

namespace {

using namespace std::chrono_literals;

// Starting soffice on a new profile takes a few seconds; twice that on a
// loaded machine. The engine enforces its own per-step limit inside a
// request; this only bounds an engine that stops answering altogether.
constexpr auto kConnectLimit = 120s;
constexpr auto kHelloLimit = 10s;
constexpr auto kRequestLimit = 30min;
constexpr auto kQuitLimit = 15s;

bool sameSecret(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

struct EnvironmentStrings {
    wchar_t* block = GetEnvironmentStringsW();
    ~EnvironmentStrings()
    {
        if (block)
            FreeEnvironmentStringsW(block);
    }
};

// Our environment without any inherited engine variables, plus port and token.
std::wstring engineEnvironment(int port, const std::string& token)
{
    std::wstring block;
    EnvironmentStrings current;
    for (const wchar_t* entry = current.block; entry && *entry; entry += wcslen(entry) + 1) {
        const std::wstring text(entry);
        if (text.rfind(L"TESSARO_ENGINE_PORT=", 0) != 0 && text.rfind(L"TESSARO_ENGINE_TOKEN=", 0) != 0)
            block += text + L'\0';
    }
    block += L"TESSARO_ENGINE_PORT=" + std::to_wstring(port) + L'\0';
    block += L"TESSARO_ENGINE_TOKEN=" + fromUtf8(token) + L'\0';
    return block + L'\0';
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

}  // namespace

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

EngineLink::EngineLink(const std::wstring& enginePath)
{
    try {
        int port = 0;
        listener_ = listenOnLoopback(port);
        token_ = freshToken();
        std::wstring environment = engineEnvironment(port, token_);
        std::wstring commandLine = L"\"" + enginePath + L"\" serve";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        // A Linux program started this way runs, but Wine hands back no
        // process handle: the engine is known only by its connection.
        if (!CreateProcessW(enginePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                            CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, environment.data(), nullptr, &startup,
                            &process))
            throw WordError{L"无法启动文档引擎 (cannot start the document engine): " + enginePath};
        const tessaro::KernelHandle thread(process.hThread), started(process.hProcess);
    } catch (const WordError& e) {
        failure_ = e.text;
        listener_.reset();
    }
}

EngineLink::~EngineLink() { quit(); }

void EngineLink::fail(const std::wstring& reason)
{
    failure_ = reason;
    peer_.reset();
    listener_.reset();
    throw WordError{reason, RPC_E_DISCONNECTED};
}

void EngineLink::connect()
{
    const auto deadline = std::chrono::steady_clock::now() + kConnectLimit;
    while (!peer_.valid()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left <= 0ms)
            fail(L"文档引擎没有连接 (the document engine did not connect)");
        fd_set set;
        FD_ZERO(&set);
        FD_SET(listener_.get(), &set);
        timeval wait{0, 200000};
        if (select(0, &set, nullptr, nullptr, &wait) <= 0)
            continue;
        Socket candidate(accept(listener_.get(), nullptr, nullptr));
        Fields hello;
        // Anything that cannot prove the token is dropped unanswered.
        if (candidate.valid() && readFrame(candidate.get(), hello, kHelloLimit) == IoResult::Done &&
            hello.size() == 3 && hello[0] == wire::request::kHello && sameSecret(hello[1], token_) &&
            hello[2] == wire::kProtocolVersion)
            peer_ = std::move(candidate);
    }
    listener_.reset();
    Fields ready;
    const IoResult got = readFrame(peer_.get(), ready, std::chrono::duration_cast<std::chrono::milliseconds>(kConnectLimit));
    if (got != IoResult::Done || ready.empty())
        fail(L"文档引擎启动失败 (the document engine did not start)");
    if (ready[0] != wire::reply::kReady)
        fail(L"文档引擎启动失败 (the document engine did not start): " + fromUtf8(ready.size() > 1 ? ready[1] : ready[0]));
}

Fields EngineLink::call(const Fields& request)
{
    if (!failure_.empty())
        throw WordError{failure_, RPC_E_DISCONNECTED};
    if (!peer_.valid())
        connect();
    Fields reply;
    const IoResult sent = sendFrame(peer_.get(), request, kHelloLimit);
    if (sent == IoResult::TooLong)
        throw WordError{L"请求过长 (request too large)"};
    if (sent != IoResult::Done)
        fail(L"文档引擎已退出 (the document engine has ended)");
    const IoResult got = readFrame(peer_.get(), reply, kRequestLimit);
    if (got == IoResult::TimedOut)
        fail(L"文档引擎无响应 (the document engine does not answer)");
    if (got != IoResult::Done)
        fail(L"文档引擎已退出 (the document engine has ended)");
    if (!reply.empty() && reply[0] == wire::reply::kOk)
        return Fields(reply.begin() + 1, reply.end());
    const std::wstring message = fromUtf8(reply.size() > 1 ? reply[1] : "文档引擎答复无效 (malformed reply)");
    // The engine has lost LibreOffice and exits after this reply: its
    // message is the cause of every failure from now on.
    if (reply.size() > 2 && reply[2] == wire::reply::kEnded)
        fail(message);
    throw WordError{message};
}

void EngineLink::quit()
{
    if (peer_.valid() && failure_.empty()) {
        Fields reply;
        if (sendFrame(peer_.get(), {wire::request::kQuit}, kHelloLimit) == IoResult::Done)
            readFrame(peer_.get(), reply, kQuitLimit);
    }
    // A closed connection ends an engine that is still starting, too.
    failure_ = L"Word 已退出 (the application has quit)";
    peer_.reset();
    listener_.reset();
}

}  // namespace wordsrv
