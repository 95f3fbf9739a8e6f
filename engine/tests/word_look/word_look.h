#pragma once
#include <map>
#include <string>
#include <vector>

namespace tessaro::test {

// A .docx as Word reads its XML, without an office: every character with
// the look Word resolves for it through document defaults, table style,
// paragraph style, character style and direct formatting (theme fonts
// through the theme and the document's East Asian language), every
// paragraph with its resolved alignment, indents, spacing and list label,
// every section, the settings that change layout, the theme's fonts and the
// content controls. Values are kept as the XML writes them (twips, half
// points, "200" hundredths of a character), so that a "Chars" indent and a
// twips one never pass for each other.
using Properties = std::map<std::string, std::string>;

// The keys a run's look has, always all of them: the fonts by slot ("ascii",
// "hAnsi", "eastAsia"), "sz" and "szCs" in half points, "b" and "i"
// as "0"/"1", "color" as RRGGBB or "auto", and "revision" ("" or
// "ins AUTHOR"/"del AUTHOR") for text inside tracked changes.
//
// A paragraph's look: "jc"; "ind.left", "ind.right", "ind.firstLine",
// "ind.hanging" in twips and "ind.leftChars", "ind.rightChars",
// "ind.firstLineChars", "ind.hangingChars"; "spacing.before",
// "spacing.after", "spacing.beforeLines", "spacing.afterLines",
// "spacing.beforeAutospacing", "spacing.afterAutospacing",
// "spacing.line", "spacing.lineRule".
enum class Story { Main, Footnotes, Endnotes, TextBoxes };
const char* storyName(Story story);

struct WordParagraph {
    Story story = Story::Main;
    // As Word shows it: field results (not their codes), tabs as '\t', line
    // breaks as U+000B, page and column breaks as U+000C, pictures, shapes
    // and embedded objects as U+FFFC, note references as the number they show,
    // deleted text of tracked changes included (its "revision" says so).
    std::u32string text;
    std::vector<int> looks;  // per character, an index into WordLook::runLooks
    Properties look;
    std::string label;      // the list label Word shows, "" when none
    int labelLook = -1;     // its look, an index into WordLook::runLooks
    std::string style;      // the paragraph style's id
    int section = -1;       // in the main story: an index into WordLook::sections
    bool headingRow = false;  // in a table row that repeats at the top of every page
};

struct WordSection {
    // "pgSz.w", "pgSz.h", "pgSz.orient", "pgMar.top|right|bottom|left|header|footer|gutter",
    // "docGrid.type|linePitch|charSpace", "cols.num|space|equalWidth", "titlePg",
    // "pgNumType.start|fmt", "vAlign", "textDirection", "type".
    Properties look;
    // "default", "first", "even": the text of the part the section uses,
    // inherited from the section before where it names none, fields as
    // "{PAGE}", "{NUMPAGES}"...
    std::map<std::string, std::string> headers, footers;

    // The header or footer a page of this section shows.
    std::string shownHeader(bool firstOfSection, int pageNumber, bool evenAndOdd) const;
    std::string shownFooter(bool firstOfSection, int pageNumber, bool evenAndOdd) const;
};

struct ContentControl {
    // "alias", "tag", "id", "lock", "type" (richText, text, date,
    // dropDownList, comboBox, checkbox, picture, docPartObj, group…),
    // "date.format", "items" (display=value|…), "checked", "placeholder".
    Properties look;
    Story story = Story::Main;
    int paragraph = 0;  // the paragraph its content starts in, an index into WordLook::paragraphs
    size_t offset = 0;  // and the character there
    std::u32string text;
};

struct WordLook {
    std::vector<Properties> runLooks;  // each distinct look once
    std::vector<WordParagraph> paragraphs;  // every story's, each story in order
    std::vector<WordSection> sections;
    // "compat.NAME" for every legacy flag and every compatSetting (by name),
    // "evenAndOddHeaders", "mirrorMargins", "gutterAtTop", "defaultTabStop",
    // "characterSpacingControl", "themeFontLang.val|eastAsia|bidi",
    // "footnotePr.numFmt|numStart|numRestart|pos", "endnotePr…".
    Properties settings;
    // "present" ("0"/"1"); "major.latin|ea|cs" and "major.script.Hans"…,
    // the same for "minor".
    Properties theme;
    std::vector<ContentControl> controls;

    // The look of character `index` of paragraph `paragraph`.
    const Properties& charLook(size_t paragraph, size_t index) const;
    bool evenAndOddHeaders() const;
};

// Throws std::runtime_error (or EngineError from the zip) when the file is
// not a readable .docx.
WordLook readWordLook(const std::string& path);

// For tests and reports: the first paragraph of `story` whose text contains
// `utf8`, or nullptr; and the look of the first character of `utf8` there.
const WordParagraph* findParagraph(const WordLook& look, const std::string& utf8, Story story = Story::Main);
const Properties* findCharLook(const WordLook& look, const std::string& utf8, Story story = Story::Main);
// "key=value key=value", for reports.
std::string describe(const Properties& properties);

}  // namespace tessaro::test
