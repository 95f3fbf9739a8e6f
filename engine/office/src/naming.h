#pragma once
#include <string>

namespace tessaro {

// "<folder>/<base>_<number>.<ext>", the base name and extension taken from
// the source file name as Word's file-system object splits them.
std::string pieceName(const std::string& source, const std::string& folder, int number);

}  // namespace tessaro
