#include "shell/list_texts.h"

#include <shellapi.h>

#include <cwctype>

namespace tessaro::shell {
namespace {

std::wstring LocaleText(LCTYPE type) {
  wchar_t text[16] = {};
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 16);
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length - 1)) : std::wstring();
}

// Date and time formatters report the length with the terminator; a failure
// leaves an empty text.
std::wstring Formatted(int length_with_nul, const wchar_t* buffer) {
  return length_with_nul > 1 ? std::wstring(buffer, static_cast<std::size_t>(length_with_nul - 1)) : std::wstring();
}

}  // namespace

std::uint64_t KilobytesRoundedUp(std::uint64_t bytes) { return bytes / 1024 + (bytes % 1024 ? 1 : 0); }

UINT GroupingFromLocaleText(const std::wstring& text) {
  // "3;2;0" means 3, then 2 repeated; NUMBERFMT writes that as 32. A trailing
  // ";0" repeats the last group, which NUMBERFMT does by default, while a
  // pattern without it groups only once, which NUMBERFMT marks with a 0.
  UINT grouping = 0;
  bool repeats = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!std::iswdigit(text[i])) continue;
    const UINT digit = text[i] - L'0';
    if (digit == 0 && i + 1 == text.size()) {
      repeats = true;
      break;
    }
    grouping = grouping * 10 + digit;
  }
  return repeats || grouping == 0 ? grouping : grouping * 10;
}

std::wstring SizeText(std::uint64_t bytes) {
  const std::wstring digits = std::to_wstring(KilobytesRoundedUp(bytes));
  std::wstring decimal = LocaleText(LOCALE_SDECIMAL);
  std::wstring thousand = LocaleText(LOCALE_STHOUSAND);
  NUMBERFMTW format{};
  format.NumDigits = 0;
  format.LeadingZero = 1;
  format.Grouping = GroupingFromLocaleText(LocaleText(LOCALE_SGROUPING));
  format.lpDecimalSep = decimal.data();
  format.lpThousandSep = thousand.data();
  format.NegativeOrder = 1;
  wchar_t text[64] = {};
  const int length = GetNumberFormatW(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, text, 64);
  return (length > 1 ? std::wstring(text, static_cast<std::size_t>(length - 1)) : digits) + L"KB";
}

std::wstring FileTimeToDisplayString(const FILETIME& utc) {
  FILETIME local{};
  SYSTEMTIME time{};
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time)) return {};
  wchar_t date[64] = {};
  wchar_t clock[64] = {};
  const int date_length =
      GetDateFormatW(LOCALE_USER_DEFAULT, LOCALE_NOUSEROVERRIDE | DATE_SHORTDATE, &time, nullptr, date, 64);
  const int time_length =
      GetTimeFormatW(LOCALE_USER_DEFAULT, LOCALE_NOUSEROVERRIDE | TIME_NOSECONDS, &time, nullptr, clock, 64);
  return Formatted(date_length, date) + L" " + Formatted(time_length, clock);
}

std::wstring GetAPIErrorText(DWORD error) {
  wchar_t text[256] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK, nullptr,
                 error, LANG_USER_DEFAULT, text, 256, nullptr);
  return {text, wcsnlen(text, 256)};
}

DWORD ShellExecuteError(INT_PTR result, DWORD last_error) {
  if (last_error == ERROR_CANCELLED) return last_error;
  switch (result) {
    case SE_ERR_FNF: return ERROR_FILE_NOT_FOUND;
    case SE_ERR_PNF: return ERROR_PATH_NOT_FOUND;
    case SE_ERR_ACCESSDENIED: return ERROR_ACCESS_DENIED;
    case SE_ERR_OOM: return ERROR_NOT_ENOUGH_MEMORY;
    case ERROR_BAD_FORMAT: return ERROR_BAD_FORMAT;
    case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
    case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
    default: return last_error;
  }
}

std::wstring ShellExecuteFailureText(DWORD error) {
  return L"ShellExecuteEx failure\r\n\r\nAPIErr: " + std::to_wstring(error) + L"\r\n" + GetAPIErrorText(error);
}

}  // namespace tessaro::shell
