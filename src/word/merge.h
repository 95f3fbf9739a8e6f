// "合并": joins the added documents, in list order, into one new document.
#pragma once

#include <string>
#include <vector>

#include "word/added_document.h"
#include "word/progress.h"
#include "word/word_objects.h"

namespace tessaro::word {

struct MergeOptions {
  std::wstring output_path;      // Text1, as typed
  bool keep_formatting = false;  // Check3: a page break before each appended document
  bool update_fields = false;    // Check4
  bool print = false;            // Check1
  bool open_result = false;      // Check2: leave the result open in a visible Word
};

// Stops before the next document, or before saving, once progress is cancelled:
// nothing is written then.
void Merge(const std::vector<AddedDocument>& documents, const MergeOptions& options,
           const WordStarter& start_word, const ShowMessage& show_message,
           Progress& progress = Progress::None());

}  // namespace tessaro::word
