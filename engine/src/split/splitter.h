#pragma once
#include "document/document.h"
#include "office/office.h"
#include "split/page_piece.h"

#include <functional>
#include <string>
#include <vector>

namespace tessaro {

enum class Offices { Auto, One, Two };

// For a caller that takes pieces while the rest are still being cut: each
// piece is written straight to its path (nothing is staged: the caller owns
// the folder and clears it on failure) and `written` is told its index as
// soon as the file is complete, from the thread of the office that wrote it.
// `stopping`, asked between steps, ends the cut with an error.
struct PieceFeed {
    std::function<void(size_t)> written;
    std::function<bool()> stopping;
};

// Writes each piece of `doc` (laid out, in `office`; this takes it over) to
// its file, holding exactly the piece's pages as they were laid out in `doc`.
//
// The page starts are marked once from the layout and the marked document
// is written once as flat XML; each piece is cut out of that XML without an
// office (see PageSlicer), so an office only reads a piece and writes it in
// its format. A long document is shared with a second soffice of its own,
// which takes pieces from the same queue on another core. Steps run under
// the watchdogs; the pieces take their places only once all are written, so
// a failure of either office leaves no piece file behind. Returns the pieces' paths.
std::vector<std::string> splitPieces(Document doc, const std::vector<PagePiece>& pieces, Office& office,
                                     Offices offices = Offices::Auto, const PieceFeed* feed = nullptr);

// The same for pieces that depend on the number of pages: they are planned
// from the walk over the layout that marks the pages, which would otherwise
// be walked once more only to count them.
using PiecePlan = std::function<std::vector<PagePiece>(int pages)>;
std::vector<std::string> splitPages(Document doc, const PiecePlan& plan, Office& office,
                                    Offices offices = Offices::Auto);

// The pieces for page runs, the k-th (from 1) written to name(k).
std::vector<PagePiece> piecesOf(const std::vector<std::pair<int, int>>& runs,
                                const std::function<std::string(int)>& name);


}  // namespace tessaro
