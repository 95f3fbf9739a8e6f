#include "protocol/server.h"

#include "engine_error.h"
#include "protocol/session.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tessaro {

namespace {

bool flag(const std::string& text)
{
    if (text != "0" && text != "1")
        throw EngineError("参数必须是 0 或 1 (expected 0 or 1): " + text);
    return text == "1";
}

struct Command {
    size_t minArgs;
    size_t maxArgs;
    std::function<Fields(Session&, const Fields&)> run;
};

Fields ok(std::string value = {})
{
    return value.empty() ? Fields{wire::reply::kOk} : Fields{wire::reply::kOk, value};
}

const std::map<std::string, Command>& commands()
{
    static const std::map<std::string, Command> table = {
        {wire::request::kOpen, {2, 2, [](Session& s, const Fields& a) { return ok(std::to_string(s.open(a[1], flag(a[2])))); }}},
        {wire::request::kAdd, {0, 0, [](Session& s, const Fields&) { return ok(std::to_string(s.add())); }}},
        {wire::request::kHome, {1, 1, [](Session& s, const Fields& a) { s.home(number(a[1])); return ok(); }}},
        {wire::request::kEndKey, {1, 1, [](Session& s, const Fields& a) { s.endKey(number(a[1])); return ok(); }}},
        {wire::request::kInsertBreak, {1, 1, [](Session& s, const Fields& a) { s.insertBreak(number(a[1])); return ok(); }}},
        {wire::request::kInsertFile, {2, 2, [](Session& s, const Fields& a) { s.insertFile(number(a[1]), a[2]); return ok(); }}},
        {wire::request::kPageCount, {1, 1, [](Session& s, const Fields& a) { return ok(std::to_string(s.pageCount(number(a[1])))); }}},
        {wire::request::kUpdateFields, {1, 1, [](Session& s, const Fields& a) { return ok(std::to_string(s.updateFields(number(a[1])))); }}},
        {wire::request::kSaveAs, {2, 2, [](Session& s, const Fields& a) { s.saveAs(number(a[1]), a[2]); return ok(); }}},
        {wire::request::kPrint, {1, 1, [](Session& s, const Fields& a) { s.print(number(a[1])); return ok(); }}},
        {wire::request::kClose, {1, 1, [](Session& s, const Fields& a) { s.close(number(a[1])); return ok(); }}},
        {wire::request::kFullName, {1, 1, [](Session& s, const Fields& a) { return Fields{wire::reply::kOk, s.fullName(number(a[1]))}; }}},
        {wire::request::kText, {1, 1, [](Session& s, const Fields& a) { return Fields{wire::reply::kOk, s.text(number(a[1]))}; }}},
        {wire::request::kCurrentPage, {1, 1, [](Session& s, const Fields& a) { return ok(std::to_string(s.currentPage(number(a[1])))); }}},
        {wire::request::kNextPage, {1, 1, [](Session& s, const Fields& a) { s.nextPage(number(a[1])); return ok(); }}},
        {wire::request::kCopy, {3, 3, [](Session& s, const Fields& a) { s.copy(number(a[1]), number(a[2]), number(a[3])); return ok(); }}},
        {wire::request::kPaste, {1, 1, [](Session& s, const Fields& a) { s.paste(number(a[1])); return ok(); }}},
        {wire::request::kSavePages, {4, 4, [](Session& s, const Fields& a) {
             s.savePages(number(a[1]), number(a[2]), number(a[3]), a[4]);
             return ok();
         }}},
        {wire::request::kSavePage, {3, 3, [](Session& s, const Fields& a) {
             s.savePage(number(a[1]), number(a[2]), a[3]);
             return ok();
         }}},
        {wire::request::kCutAhead, {2, 2, [](Session& s, const Fields& a) { s.cutAhead(number(a[1]), a[2]); return ok(); }}},
        {wire::request::kShow, {1, 1, [](Session& s, const Fields& a) { return ok(s.show(number(a[1])) ? "1" : "0"); }}},
        {wire::request::kSplit, {2, 3, [](Session& s, const Fields& a) {
             Fields reply{wire::reply::kOk};
             for (auto& path : s.split(a[1], a[2], a.size() > 3 ? number(a[3]) : 0))
                 reply.push_back(path);
             return reply;
         }}},
    };
    return table;
}

class Socket {
public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

}  // namespace

int number(const std::string& text)
{
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        throw EngineError("参数不是数字 (not a number): " + text);
    return std::stoi(text);
}

Endpoint endpointFromEnvironment()
{
    const char* port = std::getenv("TESSARO_ENGINE_PORT");
    const char* token = std::getenv("TESSARO_ENGINE_TOKEN");
    Endpoint endpoint;
    endpoint.port = port ? std::atoi(port) : 0;
    endpoint.token = token ? token : "";
    unsetenv("TESSARO_ENGINE_PORT");
    unsetenv("TESSARO_ENGINE_TOKEN");
    if (!port || std::to_string(endpoint.port) != port || endpoint.port < 1 || endpoint.port > 65535)
        throw EngineError("TESSARO_ENGINE_PORT must be a port number (1-65535)");
    if (endpoint.token.size() != 32 ||
        !std::all_of(endpoint.token.begin(), endpoint.token.end(), [](unsigned char c) { return std::isxdigit(c); }))
        throw EngineError("TESSARO_ENGINE_TOKEN must be 32 hexadecimal digits (128 bits)");
    return endpoint;
}

Fields dispatch(Session& session, const Fields& request, bool& quit)
{
    quit = false;
    try {
        if (request.empty())
            throw EngineError("空请求 (empty request)");
        if (request[0] == wire::request::kQuit) {
            quit = true;
            return ok();
        }
        const auto it = commands().find(request[0]);
        if (it == commands().end())
            throw EngineError("未知请求 (unknown request): " + request[0]);
        const size_t args = request.size() - 1;
        if (args < it->second.minArgs || args > it->second.maxArgs)
            throw EngineError("参数个数错误 (wrong number of arguments): " + request[0]);
        return it->second.run(session, request);
    } catch (const EngineError& e) {
        return Fields{wire::reply::kError, e.what()};
    }
}

int serve(const Endpoint& endpoint, std::chrono::milliseconds callLimit)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw EngineError(std::string("socket: ") + std::strerror(errno));
    Socket socket(fd);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(endpoint.port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw EngineError("无法连接 127.0.0.1:" + std::to_string(endpoint.port) + ": " + std::strerror(errno));
    writeFrame(fd, {wire::request::kHello, endpoint.token, wire::kProtocolVersion});

    std::unique_ptr<Session> session;
    try {
        session = std::make_unique<Session>(callLimit);
    } catch (const std::exception& e) {
        writeFrame(fd, {wire::reply::kError, e.what()});
        return 1;
    }
    session->watchdog().watchPeer(fd);
    writeFrame(fd, {wire::reply::kReady});

    Fields request;
    while (readFrame(fd, request)) {
        bool quit = false;
        Fields reply = dispatch(*session, request, quit);
        if (session->watchdog().fired() == Watchdog::Reason::PeerGone)
            return 1;
        // Tells the server that this error is the last word: nothing will
        // answer its next request.
        if (reply[0] == wire::reply::kError && !session->usable())
            reply.push_back(wire::reply::kEnded);
        writeFrame(fd, reply);
        if (quit)
            return 0;
        if (!session->usable())
            return 1;
    }
    return 0;
}

}  // namespace tessaro
