// The pages of a saved file as the engine lays it out, opened again through
// a Word of our own: what the program's message must agree with.
#pragma once

#include "base/text.h"
#include "word_client.h"

#include <gtest/gtest.h>

#include <string>

namespace wordsrv::test {

inline long pagesOf(const std::wstring& path)
{
    try {
        Dispatch word = Dispatch::create(L"Word.Application");
        Dispatch doc = word.object(L"Documents").object(L"Open", {named(L"FileName", path), named(L"ReadOnly", true)});
        const long pages = doc.object(L"Content").number(L"Information", {4});
        word.call(L"Quit", {named(L"SaveChanges", 0)});
        return pages;
    } catch (const ComFailure& e) {
        ADD_FAILURE() << std::hex << e.code << " " << toUtf8(e.description);
        return -1;
    }
}

}  // namespace wordsrv::test
