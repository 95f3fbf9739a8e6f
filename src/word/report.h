// The problems of one merge or split, in the order they happened, each with
// its cause as Word gave it; and whether Word itself was lost on the way.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "word/failure_cause.h"
#include "word/result.h"

namespace tessaro::word {

class Report {
 public:
  void Add(std::wstring line) { lines_.push_back(std::move(line)); }
  // "无法打开文档: D:\报告.docx (文档有密码保护)"; without a path,
  // "无法打印文档 (...)". A Word that has gone is not one more problem but
  // the end of the job: it is kept apart and later steps are not tried.
  void Add(std::wstring_view action, std::wstring_view path, const Failure& why);
  // Notes the failure of a step; true when it succeeded.
  template <class T>
  bool Check(const Result<T>& result, std::wstring_view action, std::wstring_view path = {}) {
    if (!result) Add(action, path, result.failure());
    return static_cast<bool>(result);
  }

  bool empty() const { return lines_.empty(); }
  const std::vector<std::wstring>& lines() const { return lines_; }
  bool broken() const { return breakdown_.has_value(); }
  // Word is still there but stopped answering: asking it to quit would only
  // wait again.
  bool unanswered() const { return breakdown_ && breakdown_->first == Breakdown::kNotAnswering; }

  // The headline, then one line per problem.
  std::wstring Text(std::wstring_view headline) const;
  // For a job that Word's loss ended: "Word 已意外退出,合并未完成: <cause>".
  std::wstring BreakdownText(std::wstring_view job) const;

 private:
  std::vector<std::wstring> lines_;
  std::optional<std::pair<Breakdown, std::wstring>> breakdown_;
};

}  // namespace tessaro::word
