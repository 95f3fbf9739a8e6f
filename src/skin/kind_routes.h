// Hands a message to the painter of the window's kind.
#pragma once

#include "skin/skin_message.h"

namespace tessaro::skin {

LRESULT RouteByKind(const SkinMessage& message);

}  // namespace tessaro::skin
