// How a merge or a split tells the window how far it has come, and learns
// that the user wants it stopped. Both are asked only between Word calls, so
// a stop never leaves a call half made.
#pragma once

#include <string>
#include <utility>

namespace tessaro::word {

class Progress {
 public:
  virtual ~Progress() = default;

  // Once true, stays true: the job ends at the next step.
  virtual bool Cancelled() = 0;
  // What is being done now, and how far the whole job has come: done of whole.
  virtual void Step(const std::wstring& text, int done, int whole) = 0;

  // For callers that neither watch nor stop the job.
  static Progress& None();
};

inline constexpr wchar_t kMergeCancelled[] = L"合并已取消";

// "正在打开: 报告.docx": said before Word is started, as starting it and
// opening and laying out the document is the first and longest wait.
std::wstring OpeningText(const std::wstring& name);
// "正在合并: 第 3/20 个文档 报告.docx"
std::wstring MergeStepText(int number, int count, const std::wstring& name);
// Steps of one document's split: "读取第 57/207 页" while its pages are told
// apart, then "第 57/207 页" per page, or "第 2/5 个文件" when cut evenly.
std::wstring PageWalkText(int page, int pages);
std::wstring PieceText(int number, int count, bool per_page);

// The progress of one document of a split as part of the whole: its steps
// say "正在分割: ", and which document it is when there are several, and
// move the bar within that document's share.
class DocumentProgress final : public Progress {
 public:
  DocumentProgress(Progress& job, int number, int count, std::wstring name)
      : job_(job), number_(number), count_(count), name_(std::move(name)) {}
  bool Cancelled() override { return job_.Cancelled(); }
  void Step(const std::wstring& text, int done, int whole) override;
  // The document is being opened: OpeningText, at the start of its share.
  void Opening();

 private:
  Progress& job_;
  int number_;
  int count_;
  std::wstring name_;
};

// "分割已取消,已生成 N 个文件"
std::wstring SplitCancelledText(int files_written);

}  // namespace tessaro::word
