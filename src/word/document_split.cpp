#include "word/document_split.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "contract/page_files.h"

namespace tessaro::fengewj {
namespace {

using word::Document;
using word::Result;
using word::Span;
using word::Status;

bool SameText(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// Walks the insertion point from the first page to the last, noting where
// each page lies.
Result<std::vector<Span>> PageSpans(word::Application& word, Document& source, word::Progress& progress) {
  if (Status start = source.SelectStart(); !start) return start.failure();
  const Result<int> count = source.PageCount();
  if (!count) return count.failure();
  if (*count < 1) return word::Failure{E_FAIL, L"文档没有页"};
  std::vector<Span> pages;
  for (int page = 1;; ++page) {
    Result<Span> span = source.CurrentPage();
    if (!span) return span.failure();
    pages.push_back(*span);
    if (page == *count) return pages;
    if (progress.Cancelled()) return word::Failure{E_ABORT, L"已取消"};
    progress.Step(word::PageWalkText(page + 1, *count), 0, 1);
    if (Status next = word.NextPage(); !next) return next.failure();
  }
}

// "第 3 页" or, for a run of pages, "第 4-5 页".
std::wstring PagesText(std::size_t first, int length) {
  std::wstring text = L"第 " + std::to_wstring(first + 1);
  if (length > 1) text += L"-" + std::to_wstring(first + length);
  return text + L" 页";
}

// Writes each run of pages (from 1) into its own file; stops at the first
// file that cannot be written. Returns how many were written.
int WritePieces(Document& source, const std::vector<Span>& pages, const std::vector<std::pair<int, int>>& runs,
                const std::wstring& document_path, const std::wstring& output_folder, word::Report& report,
                word::Progress& progress) {
  int written = 0;
  const int count = static_cast<int>(runs.size());
  for (const auto& [first_page, last_page] : runs) {
    if (progress.Cancelled()) return written;
    progress.Step(word::PieceText(written + 1, count, count == static_cast<int>(pages.size())), written, count);
    const std::size_t first = first_page - 1;
    const int length = last_page - first_page + 1;
    const Span span{pages[first].start, pages[last_page - 1].end};
    const std::wstring file = page_files::PageFileName(output_folder, document_path, written + 1, L'\\');
    Result<std::unique_ptr<Document>> piece = source.CopyToNewDocument(span);
    Status saved = piece ? (*piece)->SaveAs(file) : Status(piece.failure());
    if (piece) (void)(*piece)->Close();
    if (!saved) {
      report.Add(L"已生成 " + std::to_wstring(written) + L" 个文件,无法保存" + PagesText(first, length), file,
                 saved.failure());
      return written;
    }
    ++written;
  }
  return written;
}

}  // namespace

bool IsPageFileName(const std::wstring& name, const std::wstring& document_path) {
  const page_files::NameParts<wchar_t> parts = page_files::PartsOf(document_path);
  const std::size_t head = parts.base.size() + 1;
  const std::size_t tail = parts.extension.size();
  if (name.size() <= head + tail) return false;
  const std::wstring_view whole(name);
  const std::wstring_view number = whole.substr(head, name.size() - head - tail);
  // Numbers are written from 1, without leading zeros.
  if (number.front() == L'0' || number.find_first_not_of(L"0123456789") != std::wstring_view::npos) return false;
  return SameText(whole.substr(0, head), parts.base + L'_') && SameText(whole.substr(name.size() - tail), parts.extension);
}

int SplitByPage(word::Application& word, const std::wstring& document_path, const std::wstring& output_folder,
                std::optional<int> files, word::Report& report, word::Progress& progress) {
  Result<std::unique_ptr<Document>> opened = word.Open(document_path, word::OpenMode::kReadOnly);
  if (!report.Check(opened, L"无法打开文档", document_path)) return 0;
  Document& source = **opened;
  const Result<std::vector<Span>> pages = PageSpans(word, source, progress);
  int written = 0;
  if (pages) {
    const int count = static_cast<int>(pages->size());
    written = WritePieces(source, *pages, page_files::EvenRuns(count, files.value_or(count)), document_path, output_folder,
                          report, progress);
  } else if (!progress.Cancelled()) {
    report.Check(pages, L"无法统计页数", document_path);
  }
  if (!report.broken()) (void)source.Close();
  return written;
}

}  // namespace tessaro::fengewj
