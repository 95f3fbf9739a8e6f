#include "protocol/frame_io.h"

#include "engine_error.h"

#include <cerrno>
#include <cstdint>
#include <sys/socket.h>
#include <unistd.h>

namespace tessaro {

namespace {

// 0 at end of stream before any byte, 1 when all was read; throws otherwise.
int readFully(int fd, char* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 && done == 0)
            return 0;
        if (n <= 0)
            throw EngineError("连接中断 (connection broken while reading)");
        done += static_cast<size_t>(n);
    }
    return 1;
}

}  // namespace

bool readFrame(int fd, Fields& fields)
{
    unsigned char header[wire::kHeaderSize];
    if (readFully(fd, reinterpret_cast<char*>(header), sizeof header) == 0)
        return false;
    const uint32_t size = wire::BodySize(header);
    if (size > wire::kMaxBody)
        throw EngineError("请求过长 (request too large)");
    std::string payload(size, '\0');
    if (size > 0 && readFully(fd, payload.data(), size) == 0)
        throw EngineError("连接中断 (connection broken while reading)");
    std::optional<Fields> decoded = wire::DecodeBody(payload);
    if (!decoded)
        throw EngineError("请求格式错误 (malformed request)");
    fields = std::move(*decoded);
    return true;
}

void writeFrame(int fd, const Fields& fields)
{
    const std::optional<std::string> encoded = wire::EncodeFrame(fields);
    if (!encoded)
        throw EngineError("应答过长 (reply too large)");
    const std::string& frame = *encoded;
    size_t done = 0;
    while (done < frame.size()) {
        const ssize_t n = ::send(fd, frame.data() + done, frame.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw EngineError("连接中断 (connection broken while writing)");
        done += static_cast<size_t>(n);
    }
}

}  // namespace tessaro
