#include "word/commands.h"

#include "controls/notice.h"
#include "word/busy_word_filter.h"
#include "word/output_checks.h"
#include "word/start_word.h"

namespace tessaro::word {

std::unique_ptr<Application> StartInstalledWord() { return StartWord(); }

ShowMessage MessageBoxFor(HWND owner, bool in_front) {
  return [owner, in_front](const std::wstring& text) {
    if (in_front) {
      ShowNoticeInFront(owner, text.c_str());
    } else {
      ShowNotice(owner, text.c_str());
    }
  };
}

void MergeInWord(const std::vector<AddedDocument>& documents, const MergeOptions& options,
                 const WordStarter& start_word, const ShowMessage& show_message, Progress& progress) {
  const BusyWordFilterScope wait_while_word_is_busy;
  Merge(documents, options, start_word, show_message, progress);
}

void SplitInWord(const std::vector<AddedDocument>& documents, const SplitOptions& options,
                 const WordStarter& start_word, const ShowMessage& show_message, Progress& progress) {
  const BusyWordFilterScope wait_while_word_is_busy;
  Split(documents, options, start_word, show_message, progress);
}

void RunMerge(const std::vector<AddedDocument>& documents, const MergeOptions& options,
              const ShowMessage& show_message) {
  if (const std::optional<std::wstring> problem = MergeOutputProblem(options.output_path, documents)) {
    show_message(*problem);
    return;
  }
  MergeInWord(documents, options, StartInstalledWord, show_message, Progress::None());
}

void RunSplit(const std::vector<AddedDocument>& documents, const SplitOptions& options,
              const ShowMessage& show_message) {
  if (const std::optional<std::wstring> problem = SplitFolderProblem(options.output_folder)) {
    show_message(*problem);
    return;
  }
  SplitInWord(documents, options, StartInstalledWord, show_message, Progress::None());
}

}  // namespace tessaro::word
