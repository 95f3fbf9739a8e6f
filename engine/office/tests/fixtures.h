#pragma once
#include "office.h"

#include <string>

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

void writeDocument(Office& office, const Content& content, const std::string& path);
// A .docx that is one table of `rows` rows and nothing else, as programs
// that generate reports write it: its body ends with the table, which
// neither Word nor LibreOffice ever writes.
void writeTableDocument(const std::string& marker, int rows, const std::string& path);

// A copy of `source` cut to half its length.
void writeTruncated(const std::string& source, const std::string& path);
// Bytes that look like nothing LibreOffice knows.
void writeGarbage(const std::string& path);

}  // namespace tessaro::test
