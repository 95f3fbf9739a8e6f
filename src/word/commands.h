// The merge and split buttons' work with the real Word and the real message box.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/added_document.h"
#include "word/merge.h"
#include "word/split.h"

namespace tessaro::word {

// Word as installed on this machine; called on the thread that drives it.
std::unique_ptr<Application> StartInstalledWord();

// A modal box titled "提示" with an OK button and no icon, owned by `owner`.
ShowMessage MessageBoxFor(HWND owner);

void RunMerge(const std::vector<AddedDocument>& documents, const MergeOptions& options,
              const ShowMessage& show_message);
void RunSplit(const std::vector<AddedDocument>& documents, const SplitOptions& options,
              const ShowMessage& show_message);

}  // namespace tessaro::word
