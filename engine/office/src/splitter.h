#pragma once
#include "document.h"
#include "temp_dir.h"
#include "watchdog.h"

#include <functional>
#include <string>
#include <vector>

namespace tessaro {

struct PagePiece {
    int first = 0;  // 1-based, inclusive
    int last = 0;
    std::string path;  // written in the format its extension names
};

// Writes each piece of `doc` (a working copy this takes over) to its file,
// holding exactly the piece's pages as they were laid out in `doc`.
//
// Each piece is what is left after deleting the pages outside it. Doing that
// once per piece from the whole document costs pieces x size; instead the
// document is halved recursively (each half saved and reloaded from a scratch
// copy), so every level of the recursion handles the document's size once and
// the total grows as size x log(pieces).
//
// `step` is called before each step so that the caller's watchdog bounds it.
void splitPieces(Document doc, const std::vector<PagePiece>& pieces, const TempDir& scratch,
                 const Reference<css::frame::XDesktop2>& desktop, const std::function<void(const std::string&)>& step);

// Consecutive page runs for cutting `pages` pages into `files` files, the
// first ones one page longer when the division is not even (7 into 3: 3,2,2).
std::vector<std::pair<int, int>> evenRuns(int pages, int files);

}  // namespace tessaro
