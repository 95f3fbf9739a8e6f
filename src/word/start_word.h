// Starting a Word instance: Word itself, or where Word is not installed, WPS
// Office's Word-compatible automation server.
#pragma once

#include <functional>
#include <memory>

#include "win32/com_ptr.h"
#include "word/word_objects.h"

namespace tessaro::word {

// Creates a new object of the class registered under a ProgID.
using CreateObject = std::function<HRESULT(const wchar_t* prog_id, ComPtr<IDispatch>& object)>;

// CreateObject of the system: a new local server process.
HRESULT CreateServerObject(const wchar_t* prog_id, ComPtr<IDispatch>& object);

// Tries "Word.Application", then, only when that is not registered,
// "KWPS.Application". Null when neither starts.
std::unique_ptr<Application> StartWord(const CreateObject& create = CreateServerObject);

}  // namespace tessaro::word
