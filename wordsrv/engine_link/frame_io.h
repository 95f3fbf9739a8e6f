#pragma once
#include <winsock2.h>

#include <chrono>
#include "contract/engine_wire.h"

namespace wordsrv {

using tessaro::wire::Fields;

enum class IoResult { Done, Closed, TimedOut, TooLong };

// Bounded socket I/O of the engine's frames. Waits in short slices so that a
// client gone away (lifetime::clientGone) cuts a long wait short, reported as
// Closed. A frame longer than the wire allows is neither sent nor read.
IoResult sendFrame(SOCKET s, const Fields& fields, std::chrono::milliseconds limit);
IoResult readFrame(SOCKET s, Fields& fields, std::chrono::milliseconds limit);

}  // namespace wordsrv
