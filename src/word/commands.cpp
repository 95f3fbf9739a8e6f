#include "word/commands.h"

#include "controls/notice.h"
#include "word/start_word.h"

namespace tessaro::word {

std::unique_ptr<Application> StartInstalledWord() { return StartWord(); }

ShowMessage MessageBoxFor(HWND owner) {
  return [owner](const std::wstring& text) { ShowNotice(owner, text.c_str()); };
}

void RunMerge(const std::vector<AddedDocument>& documents, const MergeOptions& options,
              const ShowMessage& show_message) {
  Merge(documents, options, StartInstalledWord, show_message);
}

void RunSplit(const std::vector<AddedDocument>& documents, const SplitOptions& options,
              const ShowMessage& show_message) {
  Split(documents, options, StartInstalledWord, show_message);
}

}  // namespace tessaro::word
