#include "frames.h"

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

std::string encodeFrame(const Fields& fields)
{
    std::string payload;
    for (const auto& field : fields) {
        payload += field;
        payload += '\0';
    }
    if (payload.size() > kMaxFrame)
        throw EngineError("应答过长 (reply too large)");
    const auto size = static_cast<uint32_t>(payload.size());
    std::string frame{static_cast<char>(size >> 24), static_cast<char>(size >> 16), static_cast<char>(size >> 8),
                      static_cast<char>(size)};
    return frame + payload;
}

Fields decodePayload(const std::string& payload)
{
    if (!payload.empty() && payload.back() != '\0')
        throw EngineError("请求格式错误 (malformed request)");
    Fields fields;
    size_t start = 0;
    while (start < payload.size()) {
        const size_t end = payload.find('\0', start);
        fields.push_back(payload.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

bool readFrame(int fd, Fields& fields)
{
    unsigned char header[4];
    if (readFully(fd, reinterpret_cast<char*>(header), sizeof header) == 0)
        return false;
    const uint32_t size = uint32_t(header[0]) << 24 | uint32_t(header[1]) << 16 | uint32_t(header[2]) << 8 | header[3];
    if (size > kMaxFrame)
        throw EngineError("请求过长 (request too large)");
    std::string payload(size, '\0');
    if (size > 0 && readFully(fd, payload.data(), size) == 0)
        throw EngineError("连接中断 (connection broken while reading)");
    fields = decodePayload(payload);
    return true;
}

void writeFrame(int fd, const Fields& fields)
{
    const std::string frame = encodeFrame(fields);
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
