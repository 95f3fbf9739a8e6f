#include "skin/kind_routes.h"

#include "skin/skin_kind.h"

namespace tessaro::skin {

LRESULT RouteByKind(const SkinMessage& message) {
  switch (KindOf(message.window)) {
    default:
      return message.PassOn();
  }
}

}  // namespace tessaro::skin
