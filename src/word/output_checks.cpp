#include "word/output_checks.h"

#include <windows.h>

#include <memory>
#include <span>

#include "word/document_split.h"
#include "word/file_identity.h"
#include "word/output_format.h"
#include "word/text.h"

namespace tessaro::word {
namespace {

constexpr wchar_t kNotFullPath[] = L"请输入完整的路径";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

std::optional<std::wstring> MissingFolder(const std::wstring& folder) {
  if (IsFolder(folder)) return std::nullopt;
  return L"输出文件夹不存在: " + folder;
}

struct SearchCloser {
  void operator()(HANDLE search) const { FindClose(search); }
};
using Search = std::unique_ptr<void, SearchCloser>;

// Files (not folders) in `folder` named as a piece of any of the documents,
// each counted once.
int ExistingPieces(const std::wstring& folder, std::span<const AddedDocument> documents) {
  WIN32_FIND_DATAW found{};
  const HANDLE first = FindFirstFileExW(ForFileSystem(JoinPath(folder, L"*")).c_str(), FindExInfoBasic, &found,
                                        FindExSearchNameMatch, nullptr, 0);
  if (first == INVALID_HANDLE_VALUE) return 0;
  const Search search(first);
  int count = 0;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    for (const AddedDocument& document : documents) {
      if (fengewj::IsPageFileName(found.cFileName, document.file_name)) {
        ++count;
        break;
      }
    }
  } while (FindNextFileW(search.get(), &found));
  return count;
}

}  // namespace

bool IsFullPath(const std::wstring& path) {
  const bool drive = path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2]);
  const bool share = path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
  return drive || share;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  if (slash == 2 && path[1] == L':') return path.substr(0, 3);
  return path.substr(0, slash);
}

std::optional<std::wstring> MergeOutputProblem(const std::wstring& output,
                                               const std::vector<AddedDocument>& documents) {
  const std::wstring path = Trim(output);
  if (path.empty() || documents.empty()) return std::nullopt;
  // A path that ends in a separator names a folder, not the file to write.
  if (!IsFullPath(path) || IsSeparator(path.back())) return kNotFullPath;
  const Result<std::wstring> target = MergeOutputPath(path, documents.front().FullPath());
  if (!target) return target.failure().text;
  if (std::optional<std::wstring> missing = MissingFolder(FolderOf(*target))) return missing;
  for (const AddedDocument& document : documents)
    if (SameFile(*target, document.FullPath())) return L"输出文件不能是要合并的文档: " + *target;
  return std::nullopt;
}

std::optional<std::wstring> MergeReplaceQuestion(const std::wstring& output,
                                                 const std::vector<AddedDocument>& documents) {
  if (documents.size() < 2) return std::nullopt;
  const Result<std::wstring> target = MergeOutputPath(Trim(output), documents.front().FullPath());
  if (!target || !IsFile(*target)) return std::nullopt;
  return *target + L" 已存在。要替换它吗?";
}

std::optional<std::wstring> SplitReplaceQuestion(const SplitOptions& options,
                                                 const std::vector<AddedDocument>& documents) {
  const std::wstring folder = Trim(options.output_folder);
  const bool writes = options.method == SplitMethod::kPerPage ||
                      (options.method == SplitMethod::kEven && ParseFileCount(options.file_count));
  if (folder.empty() || documents.empty() || !writes) return std::nullopt;
  const std::span<const AddedDocument> split(documents.data(), options.batch ? documents.size() : 1);
  const int existing = ExistingPieces(folder, split);
  if (existing == 0) return std::nullopt;
  return L"输出文件夹中已有 " + std::to_wstring(existing) + L" 个同名文件,要替换它们吗?";
}

std::optional<std::wstring> SplitFolderProblem(const std::wstring& folder) {
  const std::wstring path = Trim(folder);
  if (path.empty()) return std::nullopt;
  if (!IsFullPath(path)) return kNotFullPath;
  return MissingFolder(path);
}

}  // namespace tessaro::word
