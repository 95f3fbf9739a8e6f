#pragma once
#include <string>

namespace wordsrv {

// A fresh secret of 32 hex digits, which only those it is handed can know.
std::string freshToken();

}  // namespace wordsrv
