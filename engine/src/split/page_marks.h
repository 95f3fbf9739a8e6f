#pragma once
#include "document/document.h"

#include <string>
#include <vector>

namespace tessaro {

// Where each page of a laid-out document begins, recorded once from the
// layout and pinned with bookmarks, so the cuts made later (in copies saved
// and reloaded, whose layout is never asked again) fall exactly where the
// original pages break.
struct PageStart {
    std::string style;          // page style in force on the page
    bool inTable = false;       // the page begins at a row of a table
    bool midParagraph = false;  // the page begins inside a paragraph begun on the page before
    int number = 1;             // the number its page-number fields show
};

struct PageMap {
    std::vector<PageStart> pages;  // pages[0] is page 1
    int count() const { return static_cast<int>(pages.size()); }
};

// Bookmark names; the pieces are stripped of them before they are written.
extern const char* const kMarkPrefix;
rtl::OUString startMark(int page);  // where the page begins (in a cell when inTable)

PageMap markPages(const Document& doc);

}  // namespace tessaro
