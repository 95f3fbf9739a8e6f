// How a failed Word call reads to the user, and whether it means the Word
// instance itself is lost.
#pragma once

#include <string>
#include <string_view>

#include "word/result.h"

namespace tessaro::word {

enum class Breakdown {
  kNone,          // one step failed; Word can go on
  kGone,          // Word (or what stands behind it) has ended or dropped the connection
  kNotAnswering,  // Word kept refusing calls until we gave up
};

Breakdown BreakdownOf(const Failure& failure);

// The text of a failed call that came back without a description.
std::wstring DescribeCode(std::wstring_view member, HRESULT code);

// The cause on one line, as Word (or DescribeCode) gave it.
std::wstring CauseOf(const Failure& failure);

}  // namespace tessaro::word
