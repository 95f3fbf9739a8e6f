#include "app/form1.h"
#include "app/form1_layout.h"
#include "controls/notice.h"
#include "word/commands.h"
#include "word/output_checks.h"
#include "word/text.h"

namespace tessaro {
namespace {

bool Checked(HWND control) { return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

word::ShowMessage Form1::MessageFunction(bool in_front) const {
  return show_message_ ? show_message_ : word::MessageBoxFor(hwnd(), in_front);
}

bool Form1::AskToReplace(const std::wstring& question) {
  return ask_ ? ask_(question) : AskYesNo(hwnd(), question.c_str(), DefaultAnswer::kNo);
}

word::WordStarter Form1::Starter() const {
  return word_starter_ ? word_starter_ : word::WordStarter(word::StartInstalledWord);
}

// The options are read whatever their enabled state: unticking the group's
// check box only locks them.
void Form1::Merge() {
  word::MergeOptions options;
  options.output_path = ControlText(form1::Text1);
  options.keep_formatting = Checked(Control(form1::Check3));
  options.update_fields = Checked(Control(form1::Check4));
  options.print = Checked(Control(form1::Check1));
  options.open_result = Checked(Control(form1::Check2));
  std::vector<AddedDocument> documents = AddedDocuments();
  // Refused here, before any job: nothing is started for an output that
  // cannot be written.
  if (const std::optional<std::wstring> problem = word::MergeOutputProblem(options.output_path, documents)) {
    MessageFunction()(*problem);
    return;
  }
  // The save dialog asked already about the path it gave, once.
  const bool agreed = !replace_agreed_.empty() && word::Trim(options.output_path) == replace_agreed_;
  replace_agreed_.clear();
  if (!agreed) {
    if (const std::optional<std::wstring> question = word::MergeReplaceQuestion(options.output_path, documents)) {
      if (!AskToReplace(*question)) return;
    }
  }
  result_opens_ = options.open_result;
  RunJob([documents = std::move(documents), options, start = Starter()](word::Progress& progress,
                                                                        const word::ShowMessage& show) {
    word::MergeInWord(documents, options, start, show, progress);
  });
}

void Form1::Split() {
  word::SplitOptions options;
  options.output_folder = ControlText(form1::Text2);
  options.batch = Checked(Control(form1::Check7));
  options.method = Checked(Control(form1::Option1))   ? word::SplitMethod::kPerPage
                   : Checked(Control(form1::Option2)) ? word::SplitMethod::kEven
                                                      : word::SplitMethod::kNone;
  options.file_count = ControlText(form1::Text3);
  if (const std::optional<std::wstring> problem = word::SplitFolderProblem(options.output_folder)) {
    MessageFunction()(*problem);
    return;
  }
  std::vector<AddedDocument> documents = AddedDocuments();
  if (const std::optional<std::wstring> question = word::SplitReplaceQuestion(options, documents)) {
    if (!AskToReplace(*question)) return;
  }
  result_opens_ = false;
  RunJob([documents = std::move(documents), options, start = Starter()](word::Progress& progress,
                                                                       const word::ShowMessage& show) {
    word::SplitInWord(documents, options, start, show, progress);
  });
}

}  // namespace tessaro
