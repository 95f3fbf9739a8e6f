#include "word/merge_file_dialog.h"

#include <commdlg.h>

namespace tessaro {
namespace {

// Pairs of caption and pattern, each ended by a NUL, the list by a second one
// (the literal's own). A name typed without an extension gets the selected
// pattern's first one, so .docx leads.
constexpr wchar_t kFilter[] = L"Word文件 (*.doc;*.docx)\0*.docx;*.doc\0所有文件 (*.*)\0*.*\0";

// Room for the longest path the system accepts, so a chosen name is never cut.
constexpr DWORD kLongestPath = 32768;

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

MergeFileChoice ChooseMergeFile(HWND owner) {
  const std::wstring initial_folder = ProgramFolder();
  std::wstring file(kLongestPath, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.hInstance = GetModuleHandleW(nullptr);
  dialog.lpstrFilter = kFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kLongestPath;
  dialog.lpstrInitialDir = initial_folder.empty() ? nullptr : initial_folder.c_str();
  dialog.lpstrTitle = L"保存文件的路径及文件名...";
  // A merge writes a new file: the name need not exist, an existing one is
  // replaced only once the user agrees, and a bare name becomes a .docx.
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
  dialog.lpstrDefExt = L"docx";
  if (!GetSaveFileNameW(&dialog)) {
    // Zero with no extended error is the user's cancel.
    return {CommDlgExtendedError() == 0 ? MergeFileChoice::Outcome::Cancelled : MergeFileChoice::Outcome::Failed,
            {}};
  }
  if (const std::size_t end = file.find(L'\0'); end != std::wstring::npos) file.resize(end);
  return {file.empty() ? MergeFileChoice::Outcome::Cancelled : MergeFileChoice::Outcome::Chosen, file};
}

}  // namespace tessaro
