// A report whose every font comes from its theme, as Word's own templates write one.
#include "word_corpus/chinese_text.h"
#include "word_corpus/word_corpus.h"
#include "word_corpus/word_document.h"

namespace tessaro::test {

namespace {

const char* const kStyles =
    R"(<w:style w:type="paragraph" w:styleId="Heading1"><w:name w:val="heading 1"/><w:basedOn w:val="Normal"/><w:next w:val="Normal"/><w:link w:val="Heading1Char"/><w:uiPriority w:val="9"/><w:qFormat/>)"
    R"(<w:pPr><w:keepNext/><w:keepLines/><w:numPr><w:numId w:val="2"/></w:numPr><w:spacing w:before="340" w:after="330" w:line="578" w:lineRule="auto"/><w:outlineLvl w:val="0"/></w:pPr>)"
    R"(<w:rPr><w:rFonts w:asciiTheme="majorHAnsi" w:eastAsiaTheme="majorEastAsia" w:hAnsiTheme="majorHAnsi"/><w:b/><w:bCs/><w:kern w:val="44"/><w:sz w:val="32"/><w:szCs w:val="32"/></w:rPr></w:style>)"
    R"(<w:style w:type="character" w:customStyle="1" w:styleId="Heading1Char"><w:name w:val="标题 1 字符"/><w:basedOn w:val="DefaultParagraphFont"/><w:link w:val="Heading1"/><w:uiPriority w:val="9"/>)"
    R"(<w:rPr><w:rFonts w:asciiTheme="majorHAnsi" w:eastAsiaTheme="majorEastAsia" w:hAnsiTheme="majorHAnsi"/><w:b/><w:bCs/><w:kern w:val="44"/><w:sz w:val="32"/><w:szCs w:val="32"/></w:rPr></w:style>)"
    R"(<w:style w:type="paragraph" w:styleId="ListParagraph"><w:name w:val="List Paragraph"/><w:basedOn w:val="Normal"/><w:uiPriority w:val="34"/><w:qFormat/>)"
    R"(<w:pPr><w:ind w:firstLineChars="200" w:firstLine="420"/></w:pPr></w:style>)"
    R"(<w:style w:type="character" w:styleId="Strong"><w:name w:val="Strong"/><w:basedOn w:val="DefaultParagraphFont"/><w:uiPriority w:val="22"/><w:qFormat/><w:rPr><w:b/><w:bCs/></w:rPr></w:style>)"
    R"(<w:style w:type="table" w:customStyle="1" w:styleId="ReportTable"><w:name w:val="报告表格"/><w:basedOn w:val="TableNormal"/><w:uiPriority w:val="40"/>)"
    R"(<w:pPr><w:jc w:val="center"/></w:pPr><w:rPr><w:sz w:val="18"/><w:szCs w:val="18"/></w:rPr>)"
    R"(<w:tblPr><w:tblBorders><w:top w:val="single" w:sz="4" w:space="0" w:color="4F81BD" w:themeColor="accent1"/><w:bottom w:val="single" w:sz="4" w:space="0" w:color="4F81BD" w:themeColor="accent1"/><w:insideH w:val="single" w:sz="4" w:space="0" w:color="4F81BD" w:themeColor="accent1"/></w:tblBorders></w:tblPr>)"
    R"(<w:tblStylePr w:type="firstRow"><w:rPr><w:b/><w:bCs/><w:color w:val="FFFFFF" w:themeColor="background1"/></w:rPr><w:tblPr/><w:tcPr><w:shd w:val="clear" w:color="auto" w:fill="4F81BD" w:themeFill="accent1"/></w:tcPr></w:tblStylePr>)"
    R"(<w:tblStylePr w:type="band1Horz"><w:tblPr/><w:tcPr><w:shd w:val="clear" w:color="auto" w:fill="DBE5F1" w:themeFill="accent1" w:themeFillTint="33"/></w:tcPr></w:tblStylePr></w:style>)";

// Decimal items, and the headings' "一、" through their style.
const char* const kNumbering =
    R"(<w:abstractNum w:abstractNumId="0" w15:restartNumberingAfterBreak="0"><w:nsid w:val="1A2B3C4D"/><w:multiLevelType w:val="hybridMultilevel"/><w:tmpl w:val="5E6F7A8B"/>)"
    R"(<w:lvl w:ilvl="0" w:tplc="0409000F"><w:start w:val="1"/><w:numFmt w:val="decimal"/><w:lvlText w:val="%1."/><w:lvlJc w:val="left"/><w:pPr><w:ind w:left="420" w:hanging="420"/></w:pPr></w:lvl>)"
    R"x(<w:lvl w:ilvl="1" w:tplc="04090019" w:tentative="1"><w:start w:val="1"/><w:numFmt w:val="lowerLetter"/><w:lvlText w:val="%2)"/><w:lvlJc w:val="left"/><w:pPr><w:ind w:left="840" w:hanging="420"/></w:pPr></w:lvl>)x"
    R"(</w:abstractNum>)"
    R"(<w:abstractNum w:abstractNumId="1"><w:nsid w:val="2B3C4D5E"/><w:multiLevelType w:val="singleLevel"/><w:tmpl w:val="6F7A8B9C"/>)"
    R"(<w:lvl w:ilvl="0"><w:start w:val="1"/><w:numFmt w:val="chineseCounting"/><w:pStyle w:val="Heading1"/><w:suff w:val="nothing"/><w:lvlText w:val="%1、"/><w:lvlJc w:val="left"/><w:pPr><w:ind w:left="0" w:firstLine="0"/></w:pPr><w:rPr><w:lang w:val="en-US"/></w:rPr></w:lvl>)"
    R"(</w:abstractNum>)"
    R"(<w:num w:numId="1"><w:abstractNumId w:val="0"/></w:num><w:num w:numId="2"><w:abstractNumId w:val="1"/></w:num>)"
    R"(<w:num w:numId="3"><w:abstractNumId w:val="0"/><w:lvlOverride w:ilvl="0"><w:startOverride w:val="1"/></w:lvlOverride></w:num>)";

std::string item(const std::string& numId, const std::string& text, bool pageBreakBefore = false)
{
    return paragraph(std::string(R"(<w:pStyle w:val="ListParagraph"/>)") + (pageBreakBefore ? "<w:pageBreakBefore/>" : "") +
                         "<w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"" + numId + "\"/></w:numPr><w:ind w:firstLineChars=\"0\"/>",
                     run(text));
}

std::string cell(const std::string& text, int width)
{
    return "<w:tc><w:tcPr><w:tcW w:w=\"" + std::to_string(width) + "\" w:type=\"dxa\"/></w:tcPr>" + paragraph("", run(text)) + "</w:tc>";
}

}  // namespace

void writeThemedReport(const std::string& path)
{
    WordDocument doc;
    doc.title = "年度项目执行情况报告";
    doc.theme.name = "报告";
    doc.theme.majorLatin = "Calibri Light";
    doc.theme.majorHans = "黑体";
    doc.fonts = {"Calibri", "Calibri Light", "宋体", "黑体", "Times New Roman"};
    doc.styles = kStyles;
    doc.numbering = kNumbering;

    auto body = [](const std::string& text) { return paragraph(R"(<w:ind w:firstLineChars="200" w:firstLine="420"/>)", run(text)); };
    std::string xml = paragraph(R"(<w:pStyle w:val="Heading1"/>)", run("项目概况"));
    xml += paragraph(R"(<w:ind w:firstLineChars="200" w:firstLine="420"/>)",
                     run("本报告汇总了", "") + run("2026年度", R"(<w:rStyle w:val="Strong"/>)") + run(chineseParagraph(10, 3)));
    xml += body(chineseParagraph(13, 3));
    // The list runs on across the page break: page 2 starts at item 5.
    for (int i = 1; i <= 12; ++i)
        xml += item("1", "第" + std::to_string(i) + "项工作：" + chineseParagraph(i, 1), i == 5);
    xml += paragraph(R"(<w:pStyle w:val="Heading1"/>)", run("数据明细"));
    xml += "<w:tbl><w:tblPr><w:tblStyle w:val=\"ReportTable\"/><w:tblW w:w=\"8300\" w:type=\"dxa\"/>"
           R"(<w:tblLook w:val="04A0" w:firstRow="1" w:lastRow="0" w:firstColumn="1" w:lastColumn="0" w:noHBand="0" w:noVBand="1"/></w:tblPr>)"
           R"(<w:tblGrid><w:gridCol w:w="1700"/><w:gridCol w:w="4200"/><w:gridCol w:w="2400"/></w:tblGrid>)";
    xml += R"(<w:tr><w:trPr><w:tblHeader/></w:trPr>)" + cell("序号", 1700) + cell("指标名称", 4200) + cell("完成情况", 2400) + "</w:tr>";
    for (int r = 1; r <= 40; ++r)
        xml += "<w:tr>" + cell(std::to_string(r), 1700) + cell("第" + std::to_string(r) + "项考核指标", 4200) +
               cell(std::to_string(80 + r % 20) + "%", 2400) + "</w:tr>";
    xml += "</w:tbl>" + body("以上数据截至本年度第三季度末，由各部门统计后汇总。");
    xml += paragraph(R"(<w:pStyle w:val="Heading1"/>)", run("后续安排"));
    for (int i = 1; i <= 3; ++i)
        xml += item("3", "后续措施" + std::to_string(i) + "：" + chineseParagraph(13 + i, 1));
    xml += R"(<w:sectPr><w:pgSz w:w="11906" w:h="16838"/><w:pgMar w:top="1440" w:right="1800" w:bottom="1440" w:left="1800" w:header="851" w:footer="992" w:gutter="0"/>)"
           R"(<w:cols w:space="425"/><w:docGrid w:type="lines" w:linePitch="312"/></w:sectPr>)";
    doc.write(xml, path);
}

}  // namespace tessaro::test
