// A client that starts Word, opens a document, says so, and waits to be
// killed: the server must notice on its own that its client is gone.
#include "word_client.h"

#include <ole2.h>

#include <cstdlib>

using namespace wordsrv::test;

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
        return 2;
    const auto ready = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(_wtoi64(argv[1])));
    OleInitialize(nullptr);
    try {
        Dispatch word = Dispatch::create(L"Word.Application");
        word.object(L"Documents").call(L"Open", {named(L"FileName", argv[2]), named(L"ReadOnly", true)});
        SetEvent(ready);
        Sleep(120000);
    } catch (const ComFailure&) {
        return 1;
    }
    return 0;
}
