#include "word/progress.h"

namespace tessaro::word {
namespace {

// Each document's share of a split's bar is cut in this many parts.
constexpr int kShare = 1000;

class NoProgress final : public Progress {
 public:
  bool Cancelled() override { return false; }
  void Step(const std::wstring&, int, int) override {}
};

std::wstring OfCount(int number, int count) {
  return L"第 " + std::to_wstring(number) + L'/' + std::to_wstring(count);
}

}  // namespace

Progress& Progress::None() {
  static NoProgress none;
  return none;
}

std::wstring OpeningText(const std::wstring& name) { return L"正在打开: " + name; }

std::wstring MergeStepText(int number, int count, const std::wstring& name) {
  return L"正在合并: " + OfCount(number, count) + L" 个文档 " + name;
}

std::wstring PageWalkText(int page, int pages) { return L"读取" + OfCount(page, pages) + L" 页"; }

std::wstring PieceText(int number, int count, bool per_page) {
  return OfCount(number, count) + (per_page ? L" 页" : L" 个文件");
}

void DocumentProgress::Step(const std::wstring& text, int done, int whole) {
  std::wstring line = L"正在分割: ";
  if (count_ > 1) line += OfCount(number_, count_) + L" 个文档 " + name_ + L", ";
  const int within = whole > 0 ? static_cast<int>(static_cast<long long>(done) * kShare / whole) : 0;
  job_.Step(line + text, (number_ - 1) * kShare + within, count_ * kShare);
}

void DocumentProgress::Opening() { job_.Step(OpeningText(name_), (number_ - 1) * kShare, count_ * kShare); }

std::wstring SplitCancelledText(int files_written) {
  return L"分割已取消,已生成 " + std::to_wstring(files_written) + L" 个文件";
}

}  // namespace tessaro::word
