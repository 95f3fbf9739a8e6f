#pragma once
#include "contract/page_files.h"

#include <string>

namespace tessaro {

// "<folder>/<base>_<number>.<ext>", the base name and extension taken from
// the source file name as Word's file-system object splits them.
inline std::string pieceName(const std::string& source, const std::string& folder, int number)
{
    return page_files::PageFileName(folder, source, number, '/');
}

}  // namespace tessaro
