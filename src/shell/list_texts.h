// Texts of the contents list that depend only on their inputs and the
// user's locale: sizes, dates, error messages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tessaro::shell {

// Whole kilobytes, a started kilobyte counting as one.
std::uint64_t KilobytesRoundedUp(std::uint64_t bytes);
// The size as "#,##0KB": the user's digit grouping, at least one digit.
std::wstring SizeText(std::uint64_t bytes);
// The LOCALE_SGROUPING text ("3;0", "3;2;0") as NUMBERFMT's Grouping value.
UINT GroupingFromLocaleText(const std::wstring& text);
// A UTC file time as the local short date, a blank, the local time without
// seconds.
std::wstring FileTimeToDisplayString(const FILETIME& utc);
// The system's text for an error number.
std::wstring GetAPIErrorText(DWORD error);
// What the user reads when the shell cannot open an item.
std::wstring ShellExecuteFailureText(DWORD error);
// The system error number of a failed ShellExecuteEx, from the SE_ERR_ code
// it leaves in hInstApp and the thread's last error, both read right after
// the call. The code is the cause both Windows and Wine report (Wine leaves
// an unrelated last error); a cancel by the user, or a code of no known
// cause, is left to the last error.
DWORD ShellExecuteError(INT_PTR result, DWORD last_error);

}  // namespace tessaro::shell
