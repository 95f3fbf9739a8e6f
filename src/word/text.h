// Text as typed into the window's boxes.
#pragma once

#include <string>

namespace tessaro::word {

// Without leading and trailing blanks (ASCII and ideographic spaces, tabs).
inline std::wstring Trim(const std::wstring& text) {
  constexpr wchar_t kBlanks[] = L" \t\u3000";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace tessaro::word
