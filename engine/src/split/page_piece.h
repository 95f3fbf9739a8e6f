#pragma once
#include <string>

namespace tessaro {

// A run of pages to be written to one file.
struct PagePiece {
    int first = 0;  // 1-based, inclusive
    int last = 0;
    std::string path;  // written in the format its extension names
};

}  // namespace tessaro
