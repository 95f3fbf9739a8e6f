#pragma once
#include <string>

namespace wordsrv {

// A failed Word call; the text reaches the caller as the description of
// DISP_E_EXCEPTION, so it is written for the user: Chinese, the English
// reason in brackets, and the path involved.
struct WordError {
    std::wstring text;
};

}  // namespace wordsrv
