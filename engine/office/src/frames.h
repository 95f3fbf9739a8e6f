#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace tessaro {

// A frame is a 4-byte big-endian length, then that many bytes of UTF-8
// fields, each one followed by a NUL byte (no path or message holds a NUL,
// so nothing needs escaping).
using Fields = std::vector<std::string>;

constexpr size_t kMaxFrame = 1 << 20;

std::string encodeFrame(const Fields& fields);
// Throws EngineError when the payload is not a list of NUL-ended fields.
Fields decodePayload(const std::string& payload);

// False at a clean end of stream before a frame starts; throws EngineError on
// a broken stream or a frame larger than kMaxFrame.
bool readFrame(int fd, Fields& fields);
void writeFrame(int fd, const Fields& fields);

}  // namespace tessaro
