#pragma once
#include "word_corpus/package_writer.h"

#include <string>
#include <vector>

namespace tessaro::test {

// The fonts of a theme's font scheme that Chinese and Japanese text use.
struct ThemeFonts {
    std::string name = "Office";
    std::string majorLatin = "Cambria", minorLatin = "Calibri";
    std::string majorHans = "宋体", minorHans = "宋体";
    std::string majorJpan = "ＭＳ ゴシック", minorJpan = "ＭＳ 明朝";
};

// The namespaces Word declares on the root of every story part.
extern const char* const kWordNamespaces;

// A .docx as Word saves it: every part Word writes (styles with document
// defaults and latent styles, settings with compatibility options, theme,
// font table, web settings, document properties, a custom XML item), and
// those a generator asks for (numbering, notes, comments, headers,
// footers, pictures, embedded objects). A generator sets the fields, adds
// parts, and writes the body.
class WordDocument {
public:
    // styles.xml
    std::string defaultRun = R"(<w:rFonts w:asciiTheme="minorHAnsi" w:eastAsiaTheme="minorEastAsia" w:hAnsiTheme="minorHAnsi" w:cstheme="minorBidi"/><w:kern w:val="2"/><w:sz w:val="21"/><w:szCs w:val="22"/><w:lang w:val="en-US" w:eastAsia="zh-CN" w:bidi="ar-SA"/>)";
    std::string defaultParagraph;
    std::string normal = R"(<w:pPr><w:widowControl w:val="0"/><w:jc w:val="both"/></w:pPr>)";
    std::string styles;  // style elements beyond Normal and Word's hidden defaults
    // settings.xml: elements before w:compat, the legacy flags inside it, and its mode
    std::string settings;
    std::string compat;
    int compatibilityMode = 15;
    ThemeFonts theme;
    std::vector<std::string> fonts{"Times New Roman", "宋体"};
    // Parts left out while empty.
    std::string numbering;  // abstractNum and num elements
    std::string footnotes;  // footnote elements beyond the two separators
    std::string comments;   // comment elements
    std::string title;

    // Each adds a part and returns the r:id the body names it by.
    std::string header(const std::string& content);
    std::string footer(const std::string& content);
    std::string image(const std::string& png);
    std::string embeddedWorkbook(const std::string& xlsx);

    void write(const std::string& body, const std::string& path);

private:
    std::string add(const std::string& folder, const std::string& name, const std::string& contentType,
                    const std::string& type, const std::string& data);

    PackageWriter package_;
    int headers_ = 0, footers_ = 0, media_ = 0, embeddings_ = 0;
};

// Pieces of WordprocessingML as Word writes them.
std::string run(const std::string& text, const std::string& rPr = "");  // <w:r>, text kept as it is
std::string paragraph(const std::string& pPr, const std::string& runs);  // <w:p>
// A field with its code and the result Word last showed for it.
std::string field(const std::string& instruction, const std::string& result, const std::string& rPr = "");

// A story part: the namespaces and `content` inside <w:ROOT>.
std::string storyPart(const std::string& root, const std::string& content);
// A 24-bit PNG of `width` x `height` with a colour gradient.
std::string png(int width, int height);
// A small Excel workbook: one sheet, `rows` rows of a label and a number.
std::string workbook(int rows);

}  // namespace tessaro::test
