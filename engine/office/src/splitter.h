#pragma once
#include "document.h"
#include "office.h"

#include <string>
#include <vector>

namespace tessaro {

struct PagePiece {
    int first = 0;  // 1-based, inclusive
    int last = 0;
    std::string path;  // written in the format its extension names
};

enum class Offices { Auto, One, Two };

// Writes each piece of `doc` (laid out, in `office`; this takes it over) to
// its file, holding exactly the piece's pages as they were laid out in `doc`.
//
// The page starts are marked once from the layout; everything after works on
// copies without a layout. Each piece is what is left of a copy after
// deleting the pages outside it; copies of copies keep the text each step
// reads small, so the cost grows near-linearly with the pages. A long
// document is shared with a second soffice of its own, which cuts the later
// half at the same time on another core. Steps run under the watchdogs; the
// pieces take their places only once all are written, so a failure of
// either office leaves no piece file behind.
void splitPieces(Document doc, const std::vector<PagePiece>& pieces, Office& office, Offices offices = Offices::Auto);

// Consecutive page runs for cutting `pages` pages into `files` files, the
// first ones one page longer when the division is not even (7 into 3: 3,2,2).
std::vector<std::pair<int, int>> evenRuns(int pages, int files);

}  // namespace tessaro
