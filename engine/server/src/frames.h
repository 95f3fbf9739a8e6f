#pragma once
#include <winsock2.h>

#include <chrono>
#include <string>
#include <vector>

namespace wordsrv {

using Fields = std::vector<std::string>;

// The engine's framing: a 4-byte big-endian length, then UTF-8 fields each
// ending in NUL.
std::string encodeFrame(const Fields& fields);
// Splits a frame body; false when it is malformed.
bool decodeFrame(const std::string& body, Fields& fields);

enum class IoResult { Done, Closed, TimedOut };

// Bounded socket I/O. Waits in short slices so that a client gone away
// (lifetime::clientGone) cuts a long wait short, reported as Closed.
IoResult sendAll(SOCKET s, const std::string& bytes, std::chrono::milliseconds limit);
IoResult readFrame(SOCKET s, Fields& fields, std::chrono::milliseconds limit);

}  // namespace wordsrv
