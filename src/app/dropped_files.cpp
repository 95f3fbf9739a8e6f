#include "app/dropped_files.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>

namespace tessaro {
namespace {

FORMATETC FileDropFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

class StorageMedium {
 public:
  StorageMedium() = default;
  StorageMedium(const StorageMedium&) = delete;
  StorageMedium& operator=(const StorageMedium&) = delete;
  ~StorageMedium() { ReleaseStgMedium(&medium_); }
  STGMEDIUM* put() { return &medium_; }
  HGLOBAL global() const { return medium_.tymed == TYMED_HGLOBAL ? medium_.hGlobal : nullptr; }

 private:
  STGMEDIUM medium_{};
};

// Paths past MAX_PATH reach the file system only in their extended form.
std::wstring Extended(const std::wstring& path) {
  if (path.size() < MAX_PATH || path.starts_with(L"\\\\")) return path;
  return L"\\\\?\\" + path;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(Extended(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder part keeps its "\" only at a drive root ("C:\"), as a folder
// chosen in the tree does.
AddedDocument SplitPath(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return {path, {}};
  const std::size_t folder_end = (slash == 2 && path[1] == L':') ? slash + 1 : slash;
  return {path.substr(slash + 1), path.substr(0, folder_end)};
}

std::vector<std::wstring> WordDocumentsIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(Extended(JoinPath(folder, L"*")).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && HasWordExtension(found.cFileName)) {
      names.emplace_back(found.cFileName);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end(),
            [](const std::wstring& a, const std::wstring& b) { return StrCmpLogicalW(a.c_str(), b.c_str()) < 0; });
  return names;
}

}  // namespace

bool HasWordExtension(std::wstring_view name) {
  const std::size_t dot = name.find_last_of(L'.');
  if (dot == std::wstring_view::npos) return false;
  const std::wstring_view extension = name.substr(dot);
  for (std::wstring_view word : {L".doc", L".docx"}) {
    if (CompareStringOrdinal(extension.data(), static_cast<int>(extension.size()), word.data(),
                             static_cast<int>(word.size()), TRUE) == CSTR_EQUAL) {
      return true;
    }
  }
  return false;
}

DroppedFiles ReadDroppedFiles(const std::vector<std::wstring>& paths) {
  DroppedFiles dropped;
  for (std::wstring path : paths) {
    // A folder is named without a closing "\" except a drive's root.
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    if (path.size() == 2 && path[1] == L':') path += L'\\';
    if (IsFolder(path)) {
      for (std::wstring& name : WordDocumentsIn(path)) dropped.documents.push_back({std::move(name), path});
      continue;
    }
    AddedDocument document = SplitPath(path);
    if (HasWordExtension(document.file_name)) {
      dropped.documents.push_back(std::move(document));
    } else {
      dropped.refused.push_back(std::move(document.file_name));
    }
  }
  return dropped;
}

std::vector<std::wstring> DroppedPaths(IDataObject* data) {
  std::vector<std::wstring> paths;
  FORMATETC format = FileDropFormat();
  StorageMedium medium;
  if (!data || FAILED(data->GetData(&format, medium.put())) || !medium.global()) return paths;
  const auto drop = static_cast<HDROP>(medium.global());
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    if (!path.empty()) paths.push_back(std::move(path));
  }
  return paths;
}

bool CarriesFiles(IDataObject* data) {
  FORMATETC format = FileDropFormat();
  return data && data->QueryGetData(&format) == S_OK;
}

std::wstring RefusalMessage(const std::vector<std::wstring>& refused) {
  // A box taller than the screen hides its OK button.
  constexpr std::size_t kNamesShown = 20;
  std::wstring text = L"以下文件不是Word文档,未添加: ";
  for (std::size_t i = 0; i < refused.size() && i < kNamesShown; ++i) {
    if (i) text += L", ";
    text += refused[i];
  }
  if (refused.size() > kNamesShown) text += L" 等" + std::to_wstring(refused.size()) + L"个文件";
  return text;
}

}  // namespace tessaro
