#pragma once
#include "win32/com_ptr.h"
#include "object_model/word.h"

#include <objbase.h>

namespace wordsrv {

using tessaro::ComPtr;

// The class ID our set-up registers for ProgID "Word.Application".
constexpr CLSID CLSID_TessaroWord = {0x6c1d3a52, 0x8e4b, 0x4f6a, {0x9a, 0x1e, 0x3b, 0x7c, 0x2d, 0x5e, 0x8f, 0x41}};

// Hands out the one Application of this process.
ComPtr<IClassFactory> newClassFactory(WordPtr word);

}  // namespace wordsrv
