#pragma once
#include "office/office.h"

#include <string>
#include <vector>

namespace tessaro::test {

// Documents built through LibreOffice at test time, so every machine makes
// its own and the source tree holds none.
struct Content {
    std::string marker;         // text that starts each page-sized block, to check order
    int blocks = 1;             // blocks, each ending in a hard page break but the last
    bool chinese = false;       // long Chinese paragraphs that break mid-paragraph
    int tableRows = 0;          // a table with a repeated heading row
    bool picture = false;
    bool headerFooter = false;  // header text and a page-number field in the footer
    bool toc = false;           // a table of contents over Heading 1 blocks
    std::string password;       // encrypted when set
};

// The look of a document's own text and pages, where it differs from
// LibreOffice's defaults: what a merge must carry over.
struct Look {
    std::string font;           // body font, Latin and Asian
    float size = 0;             // body size in points
    int headingColor = -1;      // block titles in a "Heading 1" of this colour, larger than the body
    bool letterLandscape = false;
    bool landscapeLast = false; // the last block in a landscape page style with its own header
    bool list = false;          // a numbered list in the first block
    bool footnote = false;      // a footnote on the first title
};

void writeDocument(Office& office, const Content& content, const std::string& path, const Look& look = {});

// Writes a .docx by hand, as another word processor would: document
// defaults of its own, a coloured "Heading 1", a numbered list, a header and
// a footer with a page-number field, Letter landscape paper, `pages` pages.
void writeWordprocessingML(const std::string& marker, int pages, const std::string& path);

// Documents made by more than one tool, each with its own look: together
// they hold everything a merge must keep. Returns their paths, in merge order.
std::vector<std::string> writeCorpus(Office& office, const std::string& folder);
// A .docx that is one table of `rows` rows and nothing else, as programs
// that generate reports write it: its body ends with the table, which
// neither Word nor LibreOffice ever writes.
void writeTableDocument(const std::string& marker, int rows, const std::string& path);

// A copy of `source` cut to half its length.
void writeTruncated(const std::string& source, const std::string& path);
// Bytes that look like nothing LibreOffice knows.
void writeGarbage(const std::string& path);

}  // namespace tessaro::test
