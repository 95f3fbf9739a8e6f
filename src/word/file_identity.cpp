#include "word/file_identity.h"

#include <windows.h>

#include <optional>

#include "win32/unique_handle.h"

namespace tessaro::word {
namespace {

struct FileId {
  DWORD volume = 0;
  DWORD index_high = 0;
  DWORD index_low = 0;
  bool operator==(const FileId&) const = default;
};

std::optional<FileId> IdOf(const std::wstring& path) {
  // No access asked for and every kind of sharing allowed: a document Word
  // holds open still answers. Folders open only with backup semantics.
  const FileHandle file(CreateFileW(ForFileSystem(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  // Some network file systems have no file index and answer 0 for every file.
  if (info.nFileIndexHigh == 0 && info.nFileIndexLow == 0) return std::nullopt;
  return FileId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

}  // namespace

std::wstring ForFileSystem(const std::wstring& path) {
  if (path.size() < MAX_PATH || path.starts_with(L"\\\\?\\")) return path;
  if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
  return L"\\\\?\\" + path;
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
  const std::optional<FileId> first = IdOf(a);
  const std::optional<FileId> second = first ? IdOf(b) : std::nullopt;
  if (first && second) return *first == *second;
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(ForFileSystem(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(ForFileSystem(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace tessaro::word
