// The format a document is saved in follows its file name. Word's SaveAs
// with a file name alone writes the document's own format whatever the name
// says, so the format is always passed along.
#pragma once

#include <optional>
#include <string>

#include "word/result.h"

namespace tessaro::word {

// Word's FileFormat values (WdSaveFormat).
inline constexpr int kFormatDocument = 0;         // .doc
inline constexpr int kFormatRtf = 6;              // .rtf
inline constexpr int kFormatDocumentDefault = 16;  // .docx
inline constexpr int kFormatPdf = 17;             // .pdf
inline constexpr int kFormatOpenDocument = 23;    // .odt

// The extension of the path's file name, dot included; empty when it has none.
std::wstring ExtensionOf(const std::wstring& path);

// The format the extension of the path's file name stands for, in any letter
// case; nothing for an extension we do not write.
std::optional<int> FormatOf(const std::wstring& path);

// The file the merged document is saved to. A name without an extension gets
// the extension of the first document's format, as Word names a file saved
// without one; a name with an extension we do not write is refused.
Result<std::wstring> MergeOutputPath(const std::wstring& output, const std::wstring& first_document);

}  // namespace tessaro::word
