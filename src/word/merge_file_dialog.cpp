#include "word/merge_file_dialog.h"

#include <commdlg.h>

#include <span>

#include "contract/word_formats.h"
#include "word/file_identity.h"
#include "word/output_checks.h"
#include "word/output_format.h"

namespace tessaro {
namespace {

// What the merge can write, Word's own formats first: a name typed without
// an extension gets the chosen type's first one.
struct FileType {
  const wchar_t* caption;
  const wchar_t* patterns;
};
constexpr FileType kTypes[] = {
    {L"Word文件 (*.doc;*.docx)", L"*.docx;*.doc"},
    {L"PDF 文件 (*.pdf)", L"*.pdf"},
    {L"OpenDocument 文本 (*.odt)", L"*.odt"},
    {L"RTF 文件 (*.rtf)", L"*.rtf"},
    {L"所有文件 (*.*)", L"*.*"},
};

// Caption and patterns of each type, each ended by a NUL, the list by a second one.
std::wstring Filter(std::span<const FileType> types) {
  std::wstring filter;
  for (const FileType& type : types) filter.append(type.caption).append(1, L'\0').append(type.patterns).append(1, L'\0');
  return filter;
}

// The 1-based index of the first type whose patterns name the file's
// extension; the first type when none does.
DWORD TypeIndexFor(const std::wstring& name) {
  std::wstring extension = formats::ExtensionOf(name);
  if (extension.empty()) return 1;
  CharLowerBuffW(extension.data(), static_cast<DWORD>(extension.size()));
  // The patterns are in lower case, each "*" and an extension.
  for (std::size_t i = 0; i < std::size(kTypes); ++i) {
    if ((std::wstring(kTypes[i].patterns) + L';').find(L'*' + extension + L';') != std::wstring::npos)
      return static_cast<DWORD>(i + 1);
  }
  return 1;
}

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

MergeFileChoice ChooseMergeFile(HWND owner, const std::wstring& current) {
  // The folder of the path in the box, with its name, while that folder is
  // there; the program's own folder otherwise.
  std::wstring initial_folder = word::IsFullPath(current) ? word::FolderOf(current) : std::wstring();
  std::wstring file(kLongestPath, L'\0');
  if (!initial_folder.empty() && word::IsFolder(initial_folder)) {
    const std::wstring name = current.substr(current.find_last_of(L"\\/") + 1);
    if (name.size() < kLongestPath) name.copy(file.data(), name.size());
  } else {
    initial_folder = ProgramFolder();
  }
  const std::wstring filter = Filter(kTypes);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.hInstance = GetModuleHandleW(nullptr);
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = TypeIndexFor(file.c_str());
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
