// A Letter landscape report with first, odd and even headers and a portrait appendix.
#include "word_corpus/chinese_text.h"
#include "word_corpus/word_corpus.h"
#include "word_corpus/word_document.h"

namespace tessaro::test {

namespace {

const char* const kStyles =
    R"(<w:style w:type="paragraph" w:customStyle="1" w:styleId="ReportBody"><w:name w:val="报告正文"/><w:basedOn w:val="Normal"/><w:qFormat/>)"
    R"(<w:pPr><w:spacing w:after="120" w:line="300" w:lineRule="auto"/><w:ind w:firstLineChars="200" w:firstLine="440"/></w:pPr>)"
    R"(<w:rPr><w:rFonts w:ascii="Arial" w:eastAsia="微软雅黑" w:hAnsi="Arial"/><w:sz w:val="22"/><w:szCs w:val="22"/></w:rPr></w:style>)"
    R"(<w:style w:type="paragraph" w:styleId="Title"><w:name w:val="Title"/><w:basedOn w:val="Normal"/><w:next w:val="ReportBody"/><w:uiPriority w:val="10"/><w:qFormat/>)"
    R"(<w:pPr><w:spacing w:before="2400" w:after="600"/><w:jc w:val="center"/><w:outlineLvl w:val="0"/></w:pPr>)"
    R"(<w:rPr><w:rFonts w:ascii="Arial" w:eastAsia="微软雅黑" w:hAnsi="Arial"/><w:b/><w:color w:val="1F3864"/><w:sz w:val="56"/><w:szCs w:val="56"/></w:rPr></w:style>)"
    R"(<w:style w:type="paragraph" w:styleId="Header"><w:name w:val="header"/><w:basedOn w:val="Normal"/><w:uiPriority w:val="99"/><w:unhideWhenUsed/>)"
    R"(<w:pPr><w:pBdr><w:bottom w:val="single" w:sz="6" w:space="1" w:color="auto"/></w:pBdr><w:jc w:val="center"/></w:pPr><w:rPr><w:sz w:val="18"/></w:rPr></w:style>)"
    R"(<w:style w:type="paragraph" w:styleId="Footer"><w:name w:val="footer"/><w:basedOn w:val="Normal"/><w:uiPriority w:val="99"/><w:unhideWhenUsed/>)"
    R"(<w:pPr><w:jc w:val="center"/></w:pPr><w:rPr><w:sz w:val="18"/></w:rPr></w:style>)";

std::string pageOfPages(WordDocument& doc)
{
    return doc.footer(paragraph(R"(<w:pStyle w:val="Footer"/>)",
                                run("第 ") + field("PAGE  \\* Arabic  \\* MERGEFORMAT", "2") + run(" 页 共 ") +
                                    field("NUMPAGES  \\* Arabic  \\* MERGEFORMAT", "6") + run(" 页")));
}

}  // namespace

void writeLandscapeReport(const std::string& path)
{
    WordDocument doc;
    doc.title = "年度经营分析报告";
    doc.settings = "<w:evenAndOddHeaders/>";
    doc.fonts = {"Arial", "Times New Roman", "宋体", "微软雅黑"};
    doc.styles = kStyles;

    auto header = [&](const std::string& text) { return doc.header(paragraph(R"(<w:pStyle w:val="Header"/>)", run(text))); };
    const std::string firstHeader = header("年度经营分析报告（封面）");
    const std::string oddHeader = header("年度经营分析报告 — 正文");
    const std::string evenHeader = header("年度经营分析报告 — 偶数页");
    const std::string firstFooter = doc.footer(paragraph(R"(<w:pStyle w:val="Footer"/>)", ""));
    const std::string oddFooter = pageOfPages(doc), evenFooter = pageOfPages(doc);
    const std::string appendixHeader = header("附录");

    auto body = [](const std::string& text) { return paragraph(R"(<w:pStyle w:val="ReportBody"/>)", run(text)); };
    std::string xml = paragraph(R"(<w:pStyle w:val="Title"/>)", run("年度经营分析报告")) +
                      paragraph(R"(<w:jc w:val="center"/>)", run("二〇二六年十一月")) +
                      paragraph("", R"(<w:r><w:br w:type="page"/></w:r>)");
    for (int i = 0; i < 14; ++i)
        xml += body(chineseParagraph(10 + i, 4));
    xml += paragraph("<w:sectPr>"
                     "<w:headerReference w:type=\"even\" r:id=\"" + evenHeader + "\"/>"
                     "<w:headerReference w:type=\"default\" r:id=\"" + oddHeader + "\"/>"
                     "<w:footerReference w:type=\"even\" r:id=\"" + evenFooter + "\"/>"
                     "<w:footerReference w:type=\"default\" r:id=\"" + oddFooter + "\"/>"
                     "<w:headerReference w:type=\"first\" r:id=\"" + firstHeader + "\"/>"
                     "<w:footerReference w:type=\"first\" r:id=\"" + firstFooter + "\"/>" +
                         R"(<w:pgSz w:w="15840" w:h="12240" w:orient="landscape"/>)"
                         R"(<w:pgMar w:top="1440" w:right="1440" w:bottom="1440" w:left="1440" w:header="567" w:footer="624" w:gutter="0"/>)"
                         R"(<w:cols w:space="720"/><w:titlePg/><w:docGrid w:linePitch="360"/></w:sectPr>)",
                     run("（正文完）"));
    xml += paragraph(R"(<w:pStyle w:val="Title"/><w:spacing w:before="0"/>)", run("附录"));
    for (int i = 0; i < 4; ++i)
        xml += body(chineseParagraph(2 * i, 3));
    xml += "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"" + appendixHeader + "\"/>" +
           R"(<w:pgSz w:w="12240" w:h="15840"/><w:pgMar w:top="1440" w:right="1800" w:bottom="1440" w:left="1800" w:header="720" w:footer="720" w:gutter="0"/>)"
           R"(<w:pgNumType w:fmt="upperRoman" w:start="1"/><w:cols w:space="720"/><w:docGrid w:linePitch="360"/></w:sectPr>)";
    doc.write(xml, path);
}

}  // namespace tessaro::test
