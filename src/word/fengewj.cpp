#include "word/fengewj.h"

#include <algorithm>
#include <memory>

#include "app/added_document.h"

namespace tessaro::fengewj {
namespace {

using word::Document;
using word::Result;
using word::Span;

// Walks the insertion point from the first page to the last, noting where
// each page lies. Nothing when the pages cannot be told.
std::optional<std::vector<Span>> PageSpans(word::Application& word, Document& source, word::Progress& progress) {
  if (!source.SelectStart()) return std::nullopt;
  const Result<int> count = source.PageCount();
  if (!count || *count < 1) return std::nullopt;
  std::vector<Span> pages;
  for (int page = 1;; ++page) {
    Result<Span> span = source.CurrentPage();
    if (!span) return std::nullopt;
    pages.push_back(*span);
    if (page == *count) return pages;
    if (progress.Cancelled()) return std::nullopt;
    progress.Step(word::PageWalkText(page + 1, *count), 0, 1);
    if (!word.NextPage()) return std::nullopt;
  }
}

// Writes each run of pages into its own file; stops at the first file that
// cannot be written. Returns how many were written.
int WritePieces(Document& source, const std::vector<Span>& pages, const std::vector<int>& parts,
                const std::wstring& document_path, const std::wstring& output_folder, word::Report& report,
                word::Progress& progress) {
  std::size_t first = 0;
  int number = 0;
  const int count = static_cast<int>(parts.size());
  for (int length : parts) {
    if (progress.Cancelled()) return number;
    progress.Step(word::PieceText(number + 1, count, count == static_cast<int>(pages.size())), number, count);
    const Span span{pages[first].start, pages[first + length - 1].end};
    first += length;
    const std::wstring file = PageFileName(output_folder, document_path, ++number);
    Result<std::unique_ptr<Document>> piece = source.CopyToNewDocument(span);
    const bool saved = piece && (*piece)->SaveAs(file);
    if (piece) (void)(*piece)->Close();
    if (!saved) {
      report.Add(L"无法保存文档: " + file);
      return number - 1;
    }
  }
  return number;
}

}  // namespace

std::wstring PageFileName(const std::wstring& output_folder, const std::wstring& document_path, int number) {
  const std::size_t slash = document_path.find_last_of(L"\\/");
  std::wstring base = document_path.substr(slash == std::wstring::npos ? 0 : slash + 1);
  std::wstring extension;
  if (const std::size_t dot = base.rfind(L'.'); dot != std::wstring::npos) {
    extension = base.substr(dot);
    base.resize(dot);
  }
  return JoinPath(output_folder, base + L'_' + std::to_wstring(number) + extension);
}

std::vector<int> EvenParts(int pages, int files) {
  files = std::clamp(files, 1, std::max(pages, 1));
  std::vector<int> parts(files, pages / files);
  for (int i = 0; i < pages % files; ++i) ++parts[i];
  return parts;
}

int SplitByPage(word::Application& word, const std::wstring& document_path, const std::wstring& output_folder,
                std::optional<int> files, word::Report& report, word::Progress& progress) {
  Result<std::unique_ptr<Document>> opened = word.Open(document_path, word::OpenMode::kReadOnly);
  if (!opened) {
    report.Add(L"无法打开文档: " + document_path);
    return 0;
  }
  Document& source = **opened;
  int written = 0;
  const std::optional<std::vector<Span>> pages = PageSpans(word, source, progress);
  if (pages) {
    const int count = static_cast<int>(pages->size());
    written = WritePieces(source, *pages, EvenParts(count, files.value_or(count)), document_path, output_folder,
                          report, progress);
  } else if (!progress.Cancelled()) {
    report.Add(L"无法统计页数: " + document_path);
  }
  (void)source.Close();
  return written;
}

}  // namespace tessaro::fengewj
