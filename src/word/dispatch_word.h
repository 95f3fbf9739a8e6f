// Word reached through IDispatch: the calls listed in WORD_CALLS.md.
#pragma once

#include <memory>

#include "word/dispatch.h"
#include "word/word_objects.h"

namespace tessaro::word {

std::unique_ptr<Application> MakeDispatchApplication(Dispatch word);

}  // namespace tessaro::word
