#include "engine_link/frame_io.h"

#include "process/lifetime.h"

#include <algorithm>

namespace wordsrv {

namespace {

constexpr auto kSlice = std::chrono::milliseconds(200);

using Clock = std::chrono::steady_clock;

// Waits until the socket is ready, the limit passes, or the client is gone.
IoResult waitReady(SOCKET s, bool forWrite, Clock::time_point deadline)
{
    for (;;) {
        if (lifetime::clientGone())
            return IoResult::Closed;
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero())
            return IoResult::TimedOut;
        const auto slice = std::min<Clock::duration>(left, kSlice);
        const auto micro = std::chrono::duration_cast<std::chrono::microseconds>(slice).count();
        timeval wait{static_cast<long>(micro / 1000000), static_cast<long>(micro % 1000000)};
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        const int ready = forWrite ? select(0, nullptr, &set, nullptr, &wait) : select(0, &set, nullptr, nullptr, &wait);
        if (ready < 0)
            return IoResult::Closed;
        if (ready > 0)
            return IoResult::Done;
    }
}

IoResult readExactly(SOCKET s, char* buffer, size_t size, Clock::time_point deadline)
{
    size_t got = 0;
    while (got < size) {
        const IoResult ready = waitReady(s, false, deadline);
        if (ready != IoResult::Done)
            return ready;
        const int n = recv(s, buffer + got, static_cast<int>(std::min<size_t>(size - got, 1 << 16)), 0);
        if (n <= 0)
            return IoResult::Closed;
        got += static_cast<size_t>(n);
    }
    return IoResult::Done;
}

}  // namespace

IoResult sendFrame(SOCKET s, const Fields& fields, std::chrono::milliseconds limit)
{
    const std::optional<std::string> frame = tessaro::wire::EncodeFrame(fields);
    if (!frame)
        return IoResult::TooLong;
    const std::string& bytes = *frame;
    const auto deadline = Clock::now() + limit;
    size_t sent = 0;
    while (sent < bytes.size()) {
        const IoResult ready = waitReady(s, true, deadline);
        if (ready != IoResult::Done)
            return ready;
        const int n = send(s, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (n <= 0)
            return IoResult::Closed;
        sent += static_cast<size_t>(n);
    }
    return IoResult::Done;
}

IoResult readFrame(SOCKET s, Fields& fields, std::chrono::milliseconds limit)
{
    const auto deadline = Clock::now() + limit;
    unsigned char header[tessaro::wire::kHeaderSize];
    IoResult result = readExactly(s, reinterpret_cast<char*>(header), sizeof header, deadline);
    if (result != IoResult::Done)
        return result;
    const size_t size = tessaro::wire::BodySize(header);
    if (size > tessaro::wire::kMaxBody)
        return IoResult::TooLong;
    std::string body(size, '\0');
    result = readExactly(s, body.data(), size, deadline);
    if (result != IoResult::Done)
        return result;
    std::optional<Fields> decoded = tessaro::wire::DecodeBody(body);
    if (!decoded)
        return IoResult::Closed;
    fields = std::move(*decoded);
    return IoResult::Done;
}

}  // namespace wordsrv
