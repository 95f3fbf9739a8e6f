// The access key of a button caption. The button's own rule, which differs
// from the dialog manager's: only the first "&" and, after a doubled "&&",
// the next "&" are looked at.
#pragma once

#include <string_view>

namespace tessaro {

// The access key of caption in lower case, or 0 when it has none.
wchar_t AccessKeyOf(std::wstring_view caption);

// ch in lower case, by the system's case tables (not only ASCII).
wchar_t LowerCase(wchar_t ch);

}  // namespace tessaro
