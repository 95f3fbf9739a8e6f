#include "word/merge.h"

#include <optional>

#include "word/file_identity.h"
#include "word/output_format.h"
#include "word/report.h"
#include "word/text.h"
#include "word/word_session.h"

namespace tessaro::word {
namespace {

// Appends one document at the end of the merged one. It is opened on its own
// first, because InsertFile has no password argument: a protected file would
// otherwise prompt in the invisible instance and never return.
void Append(Application& word, const std::wstring& path, const std::wstring& base_path, bool page_break,
            Report& report) {
  // Opening the base's own file again, under any spelling, hands back the
  // base itself; closing that would end the merge.
  if (!SameFile(path, base_path)) {
    Result<std::unique_ptr<Document>> probe = word.Open(path, OpenMode::kReadOnly);
    if (!report.Check(probe, L"无法打开文档", path)) return;
    // Left open, it would be the active document and receive the insertion.
    if (!report.Check((*probe)->Close(), L"无法插入文档", path)) return;
  }
  if (!report.Check(word.EndOfDocument(), L"无法插入文档", path)) return;
  if (page_break && !report.Check(word.InsertPageBreak(), L"无法插入文档", path)) return;
  (void)report.Check(word.InsertFile(path), L"无法插入文档", path);
}

// Opens the result again and hands the instance, now visible, to the user.
void LeaveOpen(WordSession& word, const std::wstring& output, Report& report) {
  Result<std::unique_ptr<Document>> result = word->Open(output, OpenMode::kEditable);
  if (!report.Check(result, L"无法打开文档", output)) return;
  (void)word->SetVisible(true);
  word.LeaveRunning();
}

// Counts, updates, saves, prints and closes the merged document. Returns the
// page count when the result was saved. Once Word is lost nothing more is
// asked of it, so nothing is saved.
std::optional<int> Finish(WordSession& word, std::unique_ptr<Document> merged, const std::wstring& output,
                          const MergeOptions& options, Report& report) {
  // Counted before fields are updated, as the user sees the document merged.
  const Result<int> pages = merged->PageCount();
  (void)report.Check(pages, L"无法统计页数");
  if (options.update_fields && !report.broken()) (void)report.Check(merged->UpdateFields(), L"无法更新域代码");
  const bool saved = !report.broken() && report.Check(merged->SaveAs(output), L"无法保存文档", output);
  if (options.print && !report.broken()) (void)report.Check(merged->PrintOut(), L"无法打印文档");
  if (report.broken()) return std::nullopt;
  (void)merged->Close();
  merged.reset();
  if (!saved) return std::nullopt;
  if (options.open_result) LeaveOpen(word, output, report);
  if (!pages) return std::nullopt;
  return *pages;
}

std::wstring Outcome(const Report& report, std::optional<int> pages) {
  const std::wstring count = pages ? L"新生成的文档一共:" + std::to_wstring(*pages) + L"页" : L"";
  if (report.empty()) return L"合并成功!" + count;
  std::wstring text = report.Text(L"合并未完全成功!");
  if (pages) text.append(1, L'\n').append(count);
  return text;
}

}  // namespace

void Merge(const std::vector<AddedDocument>& documents, const MergeOptions& options,
           const WordStarter& start_word, const ShowMessage& show_message, Progress& progress) {
  const std::wstring output = Trim(options.output_path);
  if (output.empty()) {
    show_message(L"输出目录为空,请输入目录并重新合并!");
    return;
  }
  if (documents.empty()) return;
  const Result<std::wstring> target = MergeOutputPath(output, documents.front().FullPath());
  if (!target) {
    show_message(target.failure().text);
    return;
  }

  progress.Step(OpeningText(documents.front().file_name), 0, static_cast<int>(documents.size()));
  std::optional<WordSession> word = WordSession::Start(start_word);
  if (!word) {
    show_message(kCannotStartWord);
    return;
  }
  // Window cosmetics: a failure here costs the merge nothing.
  (void)(*word)->SetVisible(false);
  (void)(*word)->Activate();
  (void)(*word)->Maximize();
  if (documents.size() == 1) {
    word->End();
    show_message(L"只有一个文档无需合并!");
    return;
  }

  // The first document that opens is the base; the others are appended to it.
  Report report;
  std::unique_ptr<Document> merged;
  std::wstring base_path;
  const int count = static_cast<int>(documents.size());
  for (int i = 0; i < count && !progress.Cancelled(); ++i) {
    const AddedDocument& document = documents[i];
    progress.Step(MergeStepText(i + 1, count, document.file_name), i, count);
    const std::wstring path = document.FullPath();
    if (merged) {
      Append(**word, path, base_path, options.keep_formatting, report);
    } else if (Result<std::unique_ptr<Document>> opened = (*word)->Open(path, OpenMode::kReadOnly);
               report.Check(opened, L"无法打开文档", path)) {
      merged = std::move(*opened);
      base_path = path;
    }
    // Without Word the documents left could only fail one by one.
    if (report.broken()) break;
  }

  if (progress.Cancelled()) {
    if (merged) (void)merged->Close();
    merged.reset();
    word->End();
    show_message(kMergeCancelled);
    return;
  }
  std::optional<int> pages;
  if (merged && !report.broken()) pages = Finish(*word, std::move(merged), *target, options, report);
  // A Word that stopped answering would keep us waiting through Quit too.
  if (report.unanswered())
    word->LeaveRunning();
  else
    word->End();
  show_message(report.broken() ? report.BreakdownText(L"合并") : Outcome(report, pages));
}

}  // namespace tessaro::word
