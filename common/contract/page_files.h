// How a split names its page files and shares pages among files, for the
// program, the Word server and the engine alike. Plain C++, compiled by both
// toolchains, for paths in UTF-16 (Windows) and UTF-8 (Linux).
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace tessaro::page_files {

// Consecutive runs of pages (first and last, from 1) for cutting `pages`
// pages into `files` files, the first runs one page longer when the division
// is not even (7 into 3: 3, 2, 2). More files than pages give one page a
// file; fewer than one file gives one file.
inline std::vector<std::pair<int, int>> EvenRuns(int pages, int files) {
  std::vector<std::pair<int, int>> runs;
  if (pages < 1) return runs;
  files = std::clamp(files, 1, pages);
  int next = 1;
  for (int k = 0; k < files; ++k) {
    const int length = pages / files + (k < pages % files ? 1 : 0);
    runs.emplace_back(next, next + length - 1);
    next += length;
  }
  return runs;
}

// A page file's name is the source's file name split at its last dot as
// Word's file-system object splits it: the base, "_", the page's number (from
// 1, no leading zeros), then the extension with its dot.
template <typename Char>
struct NameParts {
  std::basic_string<Char> base;
  std::basic_string<Char> extension;
};

template <typename Char>
NameParts<Char> PartsOf(const std::basic_string<Char>& source) {
  constexpr Char kSeparators[] = {Char('\\'), Char('/'), Char(0)};
  const std::size_t slash = source.find_last_of(kSeparators);
  NameParts<Char> parts{source.substr(slash == source.npos ? 0 : slash + 1), {}};
  if (const std::size_t dot = parts.base.rfind(Char('.')); dot != parts.base.npos) {
    parts.extension = parts.base.substr(dot);
    parts.base.resize(dot);
  }
  return parts;
}

// "<folder><separator><base>_<number><extension>". No separator is added
// after a folder that ends with one (a drive root, "/").
template <typename Char>
std::basic_string<Char> PageFileName(const std::basic_string<Char>& folder, const std::basic_string<Char>& source,
                                     int number, Char separator) {
  const NameParts<Char> parts = PartsOf(source);
  const std::string digits = std::to_string(number);
  const std::basic_string<Char> name =
      parts.base + Char('_') + std::basic_string<Char>(digits.begin(), digits.end()) + parts.extension;
  if (folder.empty() || folder.back() == separator) return folder + name;
  return folder + separator + name;
}

}  // namespace tessaro::page_files
