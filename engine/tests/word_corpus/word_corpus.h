#pragma once
#include <string>
#include <vector>

namespace tessaro::test {

// Documents written at test time, none by LibreOffice: Chinese documents
// as Word writes their XML (what LibreOffice's own export loses), and where
// the tools are installed, one each from python-docx and pandoc.
struct CorpusDocument {
    std::string name;   // "gongwen", "themed-report", "landscape-report", "rich", "python-docx", "pandoc"
    std::string path;
    std::string maker;  // "Word XML", "python-docx", "pandoc"
};

// Writes the corpus into `folder` (which must exist) and returns it in a
// fixed order. The entry point for tests and for `tessaro-word-look corpus`.
std::vector<CorpusDocument> writeWordCorpus(const std::string& folder);

// A 公文 on a 22 × 28 text grid (A4, linesAndChars, linePitch 579, charSpace
// -849), East Asian layout on, 仿宋_GB2312 16 pt body indented two
// characters, a "— PAGE —" footer, about four pages.
void writeOfficialDocument(const std::string& path);
// A report whose fonts all come from the theme (Chinese text through the
// theme's Hans fonts: 宋体 for text, 黑体 for headings), headings numbered
// "一、", a decimal list running from page 1 onto page 2 (its page 2 starts
// at "5."), a restarted list, and a 40-row table in a table style with a
// repeated heading row.
void writeThemedReport(const std::string& path);
// Letter landscape with its own header distance, a first-page header,
// even and odd headers, "第 X 页 共 Y 页" footers, and a portrait appendix
// section numbered I, II… that keeps the footers it inherits.
void writeLandscapeReport(const std::string& path);
// Footnotes over several pages, content controls (plain text, date,
// drop-down, check box, a block of rich text), a bookmark and a comment
// across a page break, tracked insertions and deletions, a floating picture,
// a text box, and an embedded Excel workbook with its preview.
void writeRichDocument(const std::string& path);

// False when the tool is not installed (python3 with python-docx, pandoc).
bool writePythonDocxDocument(const std::string& path);
bool writePandocDocument(const std::string& path);

}  // namespace tessaro::test
