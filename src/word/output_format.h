// The format a document is saved in follows its file name. Word's SaveAs
// with a file name alone writes the document's own format whatever the name
// says, so the format is always passed along.
#pragma once

#include <optional>
#include <string>

#include "word/result.h"

namespace tessaro::word {

// The FileFormat (WdSaveFormat) the extension of the path's file name stands
// for, in any letter case; nothing for an extension we do not write.
std::optional<int> FormatOf(const std::wstring& path);

// The file the merged document is saved to. A name without an extension gets
// the extension of the first document's format, as Word names a file saved
// without one; a name with an extension we do not write is refused.
Result<std::wstring> MergeOutputPath(const std::wstring& output, const std::wstring& first_document);

}  // namespace tessaro::word
