// The program's owning COM pointer, under the server's namespace.
#pragma once

#include "controls/com_ptr.h"

namespace wordsrv {
using tessaro::ComPtr;
}  // namespace wordsrv
