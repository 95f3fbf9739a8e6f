// A client that leaves a document open for the user, as "打开合并后的文档"
// does: it opens it, makes Word visible, lets go of every reference, says
// so, and waits to be killed.
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
        word.object(L"Documents").call(L"Open", {named(L"FileName", argv[2]), named(L"ReadOnly", false)});
        word.put(L"Visible", true);
        word.release();
        SetEvent(ready);
        Sleep(120000);
    } catch (const ComFailure&) {
        return 1;
    }
    return 0;
}
