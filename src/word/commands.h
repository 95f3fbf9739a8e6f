// The merge and split buttons' work with the real Word and the real message box.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "word/added_document.h"
#include "word/merge.h"
#include "word/split.h"

namespace tessaro::word {

// Word as installed on this machine; called on the thread that drives it.
std::unique_ptr<Application> StartInstalledWord();

// A modal box titled "提示" with an OK button and no icon, owned by `owner`;
// in_front keeps it above every window, other programs' too.
ShowMessage MessageBoxFor(HWND owner, bool in_front = false);

// The job itself, on the thread that drives Word: a Word that is busy is
// waited for rather than reported as a failure. The output must have passed
// its check (MergeOutputProblem, SplitFolderProblem) first.
void MergeInWord(const std::vector<AddedDocument>& documents, const MergeOptions& options,
                 const WordStarter& start_word, const ShowMessage& show_message, Progress& progress);
void SplitInWord(const std::vector<AddedDocument>& documents, const SplitOptions& options,
                 const WordStarter& start_word, const ShowMessage& show_message, Progress& progress);

// The check, then the job, on the calling thread.
void RunMerge(const std::vector<AddedDocument>& documents, const MergeOptions& options,
              const ShowMessage& show_message);
void RunSplit(const std::vector<AddedDocument>& documents, const SplitOptions& options,
              const ShowMessage& show_message);

}  // namespace tessaro::word
