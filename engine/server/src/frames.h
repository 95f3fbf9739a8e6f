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

// Frames read without a time limit, as few reads as the peer's writes allow:
// under Wine every socket call is a round trip to the wine server, and a
// call on the channel waits as long as the document work behind it does.
// Ends (Closed) when the peer closes, or the socket is shut down here.
class FrameReader {
public:
    explicit FrameReader(SOCKET s) : socket_(s) {}
    IoResult next(Fields& fields);

private:
    SOCKET socket_;
    std::string buffer_;
};

// Writes all of `bytes` (frames encoded), blocking; false when the socket has failed.
bool writeAll(SOCKET s, const std::string& bytes);

}  // namespace wordsrv
