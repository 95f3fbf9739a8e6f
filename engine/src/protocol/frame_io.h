#pragma once
#include "contract/engine_wire.h"

namespace tessaro {

using wire::Fields;

// False at a clean end of stream before a frame starts; throws EngineError on
// a broken stream, a malformed frame or one longer than the wire allows.
bool readFrame(int fd, Fields& fields);
// Throws EngineError when the stream breaks or the frame would be too long.
void writeFrame(int fd, const Fields& fields);

}  // namespace tessaro
