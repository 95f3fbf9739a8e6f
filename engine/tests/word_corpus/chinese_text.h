#pragma once
#include <string>

namespace tessaro::test {

// `count` sentences of plain Chinese prose, starting at sentence `first` of
// a fixed pool and wrapping round it, so every document reads differently.
std::string chineseParagraph(int first, int count);

}  // namespace tessaro::test
