#pragma once
#include "word_look/package.h"
#include "word_look/word_look.h"

#include <map>
#include <string>
#include <vector>

namespace tessaro::test {

// Where a paragraph sits in a table, for the table style's conditional
// formatting (first and last row and column, banded rows and columns).
struct TablePlace {
    std::string style;  // the table style's id; "" for the default table style
    unsigned look = 0x04A0;  // tblLook as Word's bits: 0x20 first row … 0x400 no vertical bands
    int row = 0, rows = 1, column = 0, columns = 1;
};

// The styles part and document defaults, and the cascade Word stacks them
// in. A layer is what one rPr or pPr element (or a style chain of them) sets,
// with fonts still as written ("theme:minorEastAsia" or a name); a run's look
// is the document defaults, then the table style, the paragraph style and
// the character style each toggling bold and italic as Word toggles them
// between style kinds, then direct formatting setting them outright.
class StyleSheet {
public:
    StyleSheet(const WordPackage& package, const Properties& theme, const std::string& themeEastAsiaLang);

    static void readRun(const xmlNode* rPr, Properties& layer);
    static void readParagraph(const xmlNode* pPr, Properties& layer);

    // The default style of a kind ("paragraph", "character", "table"), "" when none.
    std::string defaultStyle(const std::string& type) const;
    // The rPr or pPr ("rPr"/"pPr") of a style and those it is based on, root first.
    Properties chain(const std::string& styleId, const char* element) const;
    // The numbering a paragraph style gives ("numPr.numId", "numPr.ilvl"), through its chain.
    Properties styleNumbering(const std::string& styleId) const;
    // The table style's run and paragraph layers at `place`, conditional formatting included.
    void tableLayers(const TablePlace& place, Properties& run, Properties& paragraph) const;

    const Properties& defaultRun() const { return defaultRun_; }
    const Properties& defaultParagraph() const { return defaultParagraph_; }

    // Stacks style-kind layers on the defaults, then the direct layer, and
    // resolves fonts: the look WordParagraph::looks index.
    Properties resolveRun(const std::vector<const Properties*>& styleLayers, const Properties& direct) const;
    // Paragraph layers stack in order; the result has every key, defaults filled in.
    static Properties resolveParagraph(const std::vector<const Properties*>& layers);

    const xmlNode* style(const std::string& id) const;

private:
    std::vector<const xmlNode*> lineage(const std::string& styleId) const;  // root first

    Properties theme_;
    std::string eastAsiaLang_;
    std::map<std::string, const xmlNode*> styles_;
    std::map<std::string, std::string> defaults_;  // type → id
    Properties defaultRun_, defaultParagraph_;
};

}  // namespace tessaro::test
