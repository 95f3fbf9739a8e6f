// The contents list's texts and ordering rules, apart from any window.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "shell/list_sort.h"
#include "shell/list_texts.h"

namespace tessaro::shell {
namespace {

TEST(SizeText, KilobytesAreRoundedUpAndGroupedByTheLocale) {
  // The tests run in the zh_CN locale, which groups by threes with commas.
  struct Case { std::uint64_t bytes; const wchar_t* text; };
  const Case cases[] = {
      {0, L"0KB"},
      {1, L"1KB"},
      {1024, L"1KB"},
      {1025, L"2KB"},
      {1536, L"2KB"},
      {1048576, L"1,024KB"},
      {5ull << 30, L"5,242,880KB"},
      {(5ull << 30) + 1, L"5,242,881KB"},
  };
  for (const Case& c : cases) EXPECT_EQ(SizeText(c.bytes), c.text) << c.bytes;
}

TEST(SizeText, LocaleGroupingPatterns) {
  EXPECT_EQ(GroupingFromLocaleText(L"3;0"), 3u);
  EXPECT_EQ(GroupingFromLocaleText(L"3;2;0"), 32u);
  EXPECT_EQ(GroupingFromLocaleText(L"3"), 30u);
  EXPECT_EQ(GroupingFromLocaleText(L"0"), 0u);
}

TEST(DateText, LocalShortDateABlankAndTimeWithoutSeconds) {
  SYSTEMTIME local{2021, 3, 0, 5, 14, 7, 59, 0};
  SYSTEMTIME utc{};
  ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
  FILETIME time{};
  ASSERT_TRUE(SystemTimeToFileTime(&utc, &time));
  wchar_t date[64] = {};
  wchar_t clock[64] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, LOCALE_NOUSEROVERRIDE | DATE_SHORTDATE, &local, nullptr, date, 64);
  GetTimeFormatW(LOCALE_USER_DEFAULT, LOCALE_NOUSEROVERRIDE | TIME_NOSECONDS, &local, nullptr, clock, 64);
  const std::wstring text = FileTimeToDisplayString(time);
  EXPECT_EQ(text, std::wstring(date) + L" " + clock);
  EXPECT_NE(text.find(L"2021"), std::wstring::npos);
  EXPECT_EQ(text.find(L"59"), std::wstring::npos) << "no seconds";
}

TEST(ErrorText, ShellExecuteFailureNamesTheNumberAndTheSystemText) {
  const std::wstring text = ShellExecuteFailureText(ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(text.rfind(L"ShellExecuteEx failure\r\n\r\nAPIErr: 2\r\n", 0), 0u);
  EXPECT_FALSE(GetAPIErrorText(ERROR_FILE_NOT_FOUND).empty());
  EXPECT_NE(text.find(GetAPIErrorText(ERROR_FILE_NOT_FOUND)), std::wstring::npos);
}

// What ShellExecuteEx leaves behind when it fails: the code in hInstApp
// names the cause, as Wine leaves an unrelated last error (193 for a file
// no program opens).
TEST(ErrorText, AFailedOpenIsToldByItsCause) {
  struct Case {
    INT_PTR result;
    DWORD last_error;
    DWORD told;
  };
  const Case cases[] = {
      {SE_ERR_NOASSOC, ERROR_BAD_EXE_FORMAT, ERROR_NO_ASSOCIATION},
      {SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION, ERROR_NO_ASSOCIATION},
      {SE_ERR_ASSOCINCOMPLETE, 0, ERROR_NO_ASSOCIATION},
      {SE_ERR_FNF, 0, ERROR_FILE_NOT_FOUND},
      {SE_ERR_PNF, 0, ERROR_PATH_NOT_FOUND},
      {SE_ERR_ACCESSDENIED, 0, ERROR_ACCESS_DENIED},
      {SE_ERR_SHARE, 0, ERROR_SHARING_VIOLATION},
      {SE_ERR_DDEBUSY, 0, ERROR_DDE_FAIL},
      {SE_ERR_DLLNOTFOUND, 0, ERROR_DLL_NOT_FOUND},
      {SE_ERR_ACCESSDENIED, ERROR_CANCELLED, ERROR_CANCELLED},  // the user said no
      {0, ERROR_NOT_SUPPORTED, ERROR_NOT_SUPPORTED},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShellExecuteError(c.result, c.last_error), c.told) << c.result << " " << c.last_error;
}

TEST(HeaderClicks, ANewColumnSortsTheWayItLastDidAndRepeatsReverse) {
  SortState state;  // start-up: name column, ascending
  state.column_flags.assign(4, 0);
  const int expected_orders[] = {0, 1, 0};
  for (int order : expected_orders) {
    ClickColumnHeader(state, 1);
    EXPECT_EQ(state.key, 1);
    EXPECT_EQ(state.order, order);
  }
  // Back to the name column: its flag is still empty, so ascending.
  ClickColumnHeader(state, 0);
  EXPECT_EQ(state.order, 0);
  // Column 1 remembers its last direction (ascending after three clicks).
  ClickColumnHeader(state, 1);
  EXPECT_EQ(state.order, 0);
}

TEST(HeaderClicks, AfterTheMenuSortsDescendingTheNameHeaderKeepsThenReverses) {
  SortState state;
  state.column_flags.assign(4, 0);
  state.order = 1;  // "降序": direction only, flags untouched
  ClickColumnHeader(state, 0);
  EXPECT_EQ(state.order, 1) << "empty flag complements to -1: still descending";
  ClickColumnHeader(state, 0);
  EXPECT_EQ(state.order, 0);
}

TEST(HeaderClicks, FlagsGrowForColumnsNotSeenYet) {
  SortState state;
  ClickColumnHeader(state, 3);
  EXPECT_EQ(state.key, 3);
  EXPECT_EQ(state.order, 0);
  EXPECT_EQ(state.column_flags.size(), 4u);
}

TEST(SortValue, CarriesTheColumnAndTheDirection) {
  SortState state;
  state.key = 2;
  EXPECT_EQ(SortValue(state), 2u);
  state.order = 1;
  EXPECT_EQ(SortValue(state), 0x80000002u);
}

TEST(SortValue, CompareResultsBecomeTheListOrder) {
  EXPECT_EQ(OrderFromCompareResult(MAKE_HRESULT(0, 0, 1), 0), 1);
  EXPECT_EQ(OrderFromCompareResult(MAKE_HRESULT(0, 0, 0xFFFF), 0), -1);
  EXPECT_EQ(OrderFromCompareResult(MAKE_HRESULT(0, 0, 0xFFFF), kDescendingBit), 1);
  EXPECT_EQ(OrderFromCompareResult(MAKE_HRESULT(0, 0, 1), kDescendingBit | 3), -1);
  EXPECT_EQ(OrderFromCompareResult(E_FAIL, 0), 0);
}

}  // namespace
}  // namespace tessaro::shell
