#pragma once
#include "document.h"
#include "page_marks.h"

namespace tessaro {

// Cuts a marked document (see markPages) down to a run of its pages.
// `docFirst..docLast` are the original pages the document still holds.
void keepPages(const Document& doc, const PageMap& map, int docFirst, int docLast, int first, int last);

// Removes the page marks, before a piece is written.
void removeMarks(const Document& doc);

}  // namespace tessaro
