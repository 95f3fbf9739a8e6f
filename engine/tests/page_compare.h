#pragma once
#include "protocol/session.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessaro::test {

// A page as a reader sees it: its words and a small grey picture of it.
// Page numbers legitimately differ between a page and its copy elsewhere
// (a split page is page 1 of its file), so digits in the top and bottom
// bands of the page are masked in the text and blanked in the picture.
struct PageLook {
    struct Box {
        int left, top, right, bottom;  // pixels
    };
    std::string text;  // the page's characters without blanks
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width x height, 0 black .. 255 white
    std::vector<Box> numbers;          // page-number digits, left out of the picture comparison
};

// Opens the file again from disk, prints it to PDF and reads each page back.
std::vector<PageLook> layOut(Session& session, const std::string& document, const std::string& scratch);

// A Word format cannot hold everything a document can (a .doc or .docx
// made from an .odt takes Word's names and defaults): a merged file is held
// to its inputs as each looks saved alone in the merged file's format, so
// that only what the merge did shows. Returns those copies, written into
// `scratch`.
std::vector<std::string> savedAlone(Session& session, const std::vector<std::string>& inputs,
                                    const std::string& format, const std::string& scratch);

// Why `actual` does not look like `expected` (size, text or picture), or
// empty when it does. Anti-aliasing and one-pixel shifts are tolerated;
// another page size, header, font or line break is not.
std::string pageDifference(const PageLook& expected, const PageLook& actual);

// Page k of `result` against page k of `sources` laid end to end.
struct Comparison {
    int same = 0;
    int total = 0;  // pages of the sources
    std::vector<std::string> differences;
    bool passed() const { return differences.empty(); }
    std::string report() const;
};
Comparison comparePages(const std::vector<std::vector<PageLook>>& sources, const std::vector<PageLook>& result);

}  // namespace tessaro::test
