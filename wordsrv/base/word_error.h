#pragma once
#include <windows.h>

#include <string>

namespace wordsrv {

// A failed Word call; its short Chinese cause reaches the caller as the
// description of DISP_E_EXCEPTION. The text is Chinese, the English reason in
// brackets, and the path involved.
struct WordError {
    std::wstring text;
    // RPC_E_DISCONNECTED when the engine behind this Word has gone: the caller
    // treats it as it treats a Word that died, and stops asking.
    HRESULT code = E_FAIL;
};

}  // namespace wordsrv
