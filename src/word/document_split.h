// Cutting one document into files of consecutive pages: the per-document
// split, fengewj.
#pragma once

#include <optional>
#include <string>

#include "word/progress.h"
#include "word/report.h"
#include "word/word_objects.h"

namespace tessaro::fengewj {

// Whether `name` (without a folder) is the name of some piece of the
// document, whatever its number, in any letter case as the file system
// matches names.
bool IsPageFileName(const std::wstring& name, const std::wstring& document_path);

// Splits one document into one file per page, or into `files` files when
// given. A document that fails, or is cancelled, stops at that point; a
// problem goes into the report, and the files already written stay. Returns
// how many files were written.
int SplitByPage(word::Application& word, const std::wstring& document_path, const std::wstring& output_folder,
                std::optional<int> files, word::Report& report, word::Progress& progress = word::Progress::None());

}  // namespace tessaro::fengewj
