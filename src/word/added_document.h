// One row of the added-documents list: a file name and the folder it was
// added from. The merge and the split read these; nothing here touches a window.
#pragma once

#include <string>

namespace tessaro {

// The folder, one "\" unless the folder already ends with one (a drive root
// such as "C:\"), then the name.
inline std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty() || folder.back() == L'\\') return folder + name;
  return folder + L'\\' + name;
}

struct AddedDocument {
  std::wstring file_name;  // column "文件名称"
  std::wstring folder;     // column "文件路径"

  std::wstring FullPath() const { return JoinPath(folder, file_name); }
  bool operator==(const AddedDocument&) const = default;
};

}  // namespace tessaro
