#pragma once
#include "office/office.h"

#include <string>
#include <vector>

namespace tessaro::test {

// The body text of a document, character by character, each with the look
// it is drawn in: font, size, colour, weight and slant, taken from the
// Asian properties for Chinese characters and from the Western ones for the
// rest, and list labels as the text they show. Blanks, headers, footers,
// footnote texts and fields are left out: where documents run on without a
// page break, only the text and its look are theirs to keep.
struct LookedText {
    std::u16string text;
    std::vector<int> looks;          // per character, an index into `names`
    std::vector<std::string> names;  // "DejaVu Serif 12pt #1F3864 bold"
};

// Opens the file again from disk and reads its body text.
LookedText readTextLook(Office& office, const std::string& document);

// The text of `result` against the sources' laid end to end.
struct LookComparison {
    int same = 0;   // sources whose every character is in the result with its look
    int total = 0;
    std::vector<std::string> differences;  // the first one of each source that differs
    bool passed() const { return differences.empty(); }
    std::string report() const;
};
LookComparison compareTextLook(const std::vector<LookedText>& sources, const LookedText& result);

}  // namespace tessaro::test
