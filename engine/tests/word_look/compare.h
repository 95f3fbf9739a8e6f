#pragma once
#include "word_look/word_look.h"

#include <map>
#include <string>
#include <vector>

namespace tessaro::test {

// One way a result does not look as its source, readably:
// where "body ¶12 「第一章　总则」 char 3 「总」", property "eastAsia",
// expected "宋体", got "ＭＳ 明朝". Properties are a run's or a paragraph's
// keys (see word_look.h), "label" and "label.KEY" for list labels, "text"
// for text that is missing or extra, "section.KEY", "header", "footer",
// "page number", "settings.KEY", "theme.KEY", "control.KEY" and
// "integrity".
struct Difference {
    std::string where, property, expected, got;
};

struct WordComparison {
    std::vector<Difference> differences;  // the first of each kind in each paragraph, at most a few hundred
    std::map<std::string, int> counts;    // property → characters (or paragraphs, sections…) that differ
    int characters = 0, paragraphs = 0, sections = 0, controls = 0;  // compared

    bool alike() const { return differences.empty(); }
    bool differs(const std::string& property) const { return counts.count(property) > 0; }
    // The first `lines` differences and the counts, one per line.
    std::string report(size_t lines = 20) const;
};

// The source page a page file was cut from: the number the page shows and
// whether its section starts on it (0: not known, and then the page file's
// header need only be one of the source section's).
struct PagePlace {
    int number = 0;
    bool firstOfSection = false;
};

// A page file against the run of the source it was cut from: every
// character of the page (each story's) found in the source in order, with
// the source's look; paragraphs alike (a paragraph the page begins inside
// shows no first line, one it ends inside no space after); the page's
// section as the source page's (size, margins, grid, columns, the header
// and footer the page shows, the page number); settings and theme equal;
// the content controls of the run there with their properties.
WordComparison comparePage(const WordLook& source, const WordLook& page, const PagePlace& place = {});

// A merged file against its inputs, each found whole in order. With
// `pageBreaks` (every input keeps its own format) each input's sections are
// compared too; settings and theme are the first input's.
WordComparison compareMerged(const std::vector<WordLook>& inputs, const WordLook& merged, bool pageBreaks);

// A document against another that should look the same throughout (a copy,
// a re-saved file): everything, and nothing left out.
WordComparison compareDocuments(const WordLook& expected, const WordLook& got);

// The same from files; the result file's integrity problems count as differences.
WordComparison comparePageFiles(const std::string& source, const std::string& page, const PagePlace& place = {});
WordComparison compareMergedFiles(const std::vector<std::string>& inputs, const std::string& merged, bool pageBreaks);
WordComparison compareDocumentFiles(const std::string& expected, const std::string& got);

}  // namespace tessaro::test
