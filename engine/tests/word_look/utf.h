#pragma once
#include <string>

namespace tessaro::test {

// XML text is UTF-8; characters are compared one by one as code points.
std::u32string toUtf32(const std::string& utf8);
std::string toUtf8(const std::u32string& text);
std::string toUtf8(char32_t c);

}  // namespace tessaro::test
