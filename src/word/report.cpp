#include "word/report.h"

namespace tessaro::word {

void Report::Add(std::wstring_view action, std::wstring_view path, const Failure& why) {
  const Breakdown breakdown = BreakdownOf(why);
  if (breakdown != Breakdown::kNone) {
    // The first loss names the cause; every call after it fails the same way.
    if (!breakdown_) breakdown_.emplace(breakdown, CauseOf(why));
    return;
  }
  std::wstring line(action);
  if (!path.empty()) line.append(L": ").append(path);
  if (const std::wstring cause = CauseOf(why); !cause.empty()) line.append(L" (").append(cause).append(L")");
  lines_.push_back(std::move(line));
}

std::wstring Report::Text(std::wstring_view headline) const {
  std::wstring text(headline);
  for (const std::wstring& line : lines_) text.append(1, L'\n').append(line);
  return text;
}

std::wstring Report::BreakdownText(std::wstring_view job) const {
  const wchar_t* what = unanswered() ? L"Word 没有响应," : L"Word 已意外退出,";
  return what + std::wstring(job) + L"未完成: " + (breakdown_ ? breakdown_->second : std::wstring());
}

}  // namespace tessaro::word
