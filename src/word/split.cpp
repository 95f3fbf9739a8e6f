#include "word/split.h"

#include <algorithm>
#include <climits>

#include "word/document_split.h"
#include "word/report.h"
#include "word/text.h"
#include "word/word_session.h"

namespace tessaro::word {

std::optional<int> ParseFileCount(const std::wstring& text) {
  const std::wstring digits = Trim(text);
  if (digits.empty()) return std::nullopt;
  long long value = 0;
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9') return std::nullopt;
    // Any count beyond the pages means one page per file, so a huge one is
    // as good as INT_MAX.
    value = std::min<long long>(value * 10 + (c - L'0'), INT_MAX);
  }
  if (value == 0) return std::nullopt;
  return static_cast<int>(value);
}

namespace {

// A batch that could not go on: why, the problems so far, what each document
// tried gave, and the documents never tried.
std::wstring EndedEarly(const std::wstring& headline, const Report& report, const std::vector<std::wstring>& done,
                        const std::vector<AddedDocument>& documents, std::size_t next, std::size_t count) {
  std::wstring text = report.Text(headline);
  for (const std::wstring& line : done) text.append(1, L'\n').append(line);
  for (std::size_t i = next; i < count; ++i) text.append(L"\n未分割: ").append(documents[i].FullPath());
  return text;
}

}  // namespace

void Split(const std::vector<AddedDocument>& documents, const SplitOptions& options,
           const WordStarter& start_word, const ShowMessage& show_message, Progress& progress) {
  // A folder of blanks only is no folder at all.
  const std::wstring folder = Trim(options.output_folder);
  if (folder.empty()) {
    show_message(L"分割输出路径不能为空！请选定路径后再分割！");
    return;
  }
  if (documents.empty()) return;
  std::optional<int> files;
  if (options.method == SplitMethod::kEven) {
    files = ParseFileCount(options.file_count);
    if (!files) {
      show_message(L"请输入有效的分割文件数!");
      return;
    }
  } else if (options.method != SplitMethod::kPerPage) {
    return;
  }

  // A document that fails does not keep the ones after it from being split.
  Report report;
  int written = 0;  // by every document so far
  const std::size_t count = options.batch ? documents.size() : 1;
  std::vector<std::wstring> done;  // what became of each document tried
  for (std::size_t i = 0; i < count && !progress.Cancelled(); ++i) {
    const std::wstring path = documents[i].FullPath();
    DocumentProgress document(progress, static_cast<int>(i) + 1, static_cast<int>(count), documents[i].file_name);
    document.Opening();
    // Each document in a Word of its own, as a stuck document cannot then
    // spoil the next.
    std::optional<WordSession> word = WordSession::Start(start_word);
    if (!word) {
      show_message(i == 0 ? std::wstring(kCannotStartWord)
                          : EndedEarly(std::wstring(L"分割未完成: ") + kCannotStartWord, report, done, documents, i,
                                       count));
      return;
    }
    const int document_written = fengewj::SplitByPage(**word, path, folder, files, report, document);
    written += document_written;
    done.push_back(path + L": 已生成 " + std::to_wstring(document_written) + L" 个文件");
    if (report.broken()) {
      // A Word that stopped answering would keep us waiting through Quit too.
      if (report.unanswered())
        word->LeaveRunning();
      else
        word->End();
      show_message(EndedEarly(report.BreakdownText(L"分割"), report, done, documents, i + 1, count));
      return;
    }
  }
  if (progress.Cancelled()) {
    show_message(SplitCancelledText(written));
    return;
  }
  show_message(report.empty() ? L"分割完毕!" : report.Text(L"分割未完全成功!"));
}

}  // namespace tessaro::word
