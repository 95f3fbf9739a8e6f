// "分割": cuts the first added document, or each of them, into files of
// consecutive pages in the split output folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "word/added_document.h"
#include "word/progress.h"
#include "word/word_objects.h"

namespace tessaro::word {

enum class SplitMethod {
  kNone,     // neither option selected: nothing to do
  kPerPage,  // Option1: one file per page
  kEven,     // Option2: the number of files typed into Text3
};

struct SplitOptions {
  std::wstring output_folder;  // Text2, as typed
  bool batch = false;          // Check7: every document, not only the first
  SplitMethod method = SplitMethod::kPerPage;
  std::wstring file_count;  // Text3
};

// A whole number from 1 up, blanks around it allowed; nothing otherwise.
std::optional<int> ParseFileCount(const std::wstring& text);

// Once progress is cancelled, stops between pages; the files written so far stay.
void Split(const std::vector<AddedDocument>& documents, const SplitOptions& options,
           const WordStarter& start_word, const ShowMessage& show_message,
           Progress& progress = Progress::None());

}  // namespace tessaro::word
