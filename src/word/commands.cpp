#include "word/commands.h"

#include "controls/notice.h"
#include "word/busy_word_filter.h"
#include "word/output_checks.h"
#include "word/start_word.h"

namespace tessaro::word {
namespace {

std::unique_ptr<Application> StartInstalledWord() { return StartWord(); }

}  // namespace

ShowMessage MessageBoxFor(HWND owner) {
  return [owner](const std::wstring& text) { ShowNotice(owner, text.c_str()); };
}

void RunMerge(const std::vector<AddedDocument>& documents, const MergeOptions& options,
              const ShowMessage& show_message) {
  if (const std::optional<std::wstring> problem = MergeOutputProblem(options.output_path, documents)) {
    show_message(*problem);
    return;
  }
  const BusyWordFilterScope wait_while_word_is_busy;
  Merge(documents, options, StartInstalledWord, show_message);
}

void RunSplit(const std::vector<AddedDocument>& documents, const SplitOptions& options,
              const ShowMessage& show_message) {
  if (const std::optional<std::wstring> problem = SplitFolderProblem(options.output_folder)) {
    show_message(*problem);
    return;
  }
  const BusyWordFilterScope wait_while_word_is_busy;
  Split(documents, options, StartInstalledWord, show_message);
}

}  // namespace tessaro::word
