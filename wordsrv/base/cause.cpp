#include "base/cause.h"

#include <vector>

namespace wordsrv {

namespace {

constexpr wchar_t kClauseBreak[] = L"，";

std::wstring trimmed(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

std::wstring shortCause(const std::wstring& message)
{
    size_t end = message.find(L" (");
    if (end == std::wstring::npos)
        end = message.find(L": ");
    const std::wstring chinese = trimmed(message.substr(0, end));

    std::vector<std::wstring> kept, failedOnly;
    for (size_t at = 0; at <= chinese.size();) {
        size_t next = chinese.find(kClauseBreak, at);
        if (next == std::wstring::npos)
            next = chinese.size();
        const std::wstring clause = trimmed(chinese.substr(at, next - at));
        if (!clause.empty())
            (clause.rfind(L"无法", 0) == 0 ? failedOnly : kept).push_back(clause);
        at = next + 1;
    }
    // A message that is nothing but "无法…" keeps it: it is all there is.
    if (kept.empty())
        kept = failedOnly;
    std::wstring cause;
    for (const std::wstring& clause : kept)
        cause += (cause.empty() ? L"" : kClauseBreak) + clause;
    return cause.empty() ? message : cause;
}

}  // namespace wordsrv
