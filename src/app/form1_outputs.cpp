// The main window's output choosers and option panels. The option controls
// keep their values while disabled: the merge and the split read them as they
// are.
#include <exception>

#include "app/form1.h"
#include "app/form1_layout.h"
#include "controls/notice.h"
#include "word/file_identity.h"
#include "word/merge_file_dialog.h"
#include "word/save_path.h"
#include "word/text.h"

namespace tessaro {

using namespace form1;

void Form1::ChooseSplitFolder() {
  const std::wstring folder = BrowseForFolder(hwnd(), L"选择文件夹", word::Trim(ControlText(Text2)));
  if (!folder.empty()) SetControlText(Text2, folder);
}

void Form1::ChooseMergeOutput() {
  MergeFileChoice choice;
  try {
    choice = ChooseMergeFile(hwnd(), word::Trim(ControlText(Text1)));
  } catch (const std::exception&) {
    choice.outcome = MergeFileChoice::Outcome::Failed;
  }
  switch (choice.outcome) {
    case MergeFileChoice::Outcome::Chosen:
      SetControlText(Text1, choice.path);
      // The dialog asked before it gave a file that is there.
      replace_agreed_ = word::IsFile(choice.path) ? choice.path : std::wstring();
      break;
    case MergeFileChoice::Outcome::Failed: ShowNotice(hwnd(), L"未知原因导致操作失败!", L"Tessaro"); break;
    case MergeFileChoice::Outcome::Cancelled: break;
  }
}

void Form1::EnableMergeOptions() {
  const BOOL enable = SendMessageW(Control(Check5), BM_GETCHECK, 0, 0) == BST_CHECKED;
  for (int id : {Check2, Check3, Check4}) EnableWindow(Control(id), enable);
}

void Form1::EnableSplitOptions() {
  const BOOL enable = SendMessageW(Control(Check6), BM_GETCHECK, 0, 0) == BST_CHECKED;
  for (int id : {Check7, Option1, Option2, Text3}) EnableWindow(Control(id), enable);
}

}  // namespace tessaro
