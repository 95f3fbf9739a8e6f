#pragma once
#include <windows.h>

#include <exception>
#include <string>

#include "base/text.h"

namespace wordsrv {

// A failed Word call; its short Chinese cause reaches the caller as the
// description of DISP_E_EXCEPTION. The text is Chinese, the English reason in
// brackets, and the path involved. The server's one error type: everything
// it throws is a WordError, and nothing crosses a COM boundary.
class WordError : public std::exception {
public:
    WordError(std::wstring text, HRESULT code = E_FAIL) : text(std::move(text)), code(code) {}
    // The text in UTF-8, as it stands now (a catcher may reword it).
    const char* what() const noexcept override
    {
        utf8_ = toUtf8(text);
        return utf8_.c_str();
    }

    std::wstring text;
    // RPC_E_DISCONNECTED when the engine behind this Word has gone: the caller
    // treats it as it treats a Word that died, and stops asking.
    HRESULT code = E_FAIL;

private:
    mutable std::string utf8_;
};

}  // namespace wordsrv
