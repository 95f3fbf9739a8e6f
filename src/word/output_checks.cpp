#include "word/output_checks.h"

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

std::optional<std::wstring> SplitFolderProblem(const std::wstring& folder) {
  const std::wstring path = Trim(folder);
  if (path.empty()) return std::nullopt;
  if (!IsFullPath(path)) return kNotFullPath;
  return MissingFolder(path);
}

}  // namespace tessaro::word
