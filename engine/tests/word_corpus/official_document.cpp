// A 公文 as Word writes one for a government office's template.
#include "word_corpus/chinese_text.h"
#include "word_corpus/word_corpus.h"
#include "word_corpus/word_document.h"

namespace tessaro::test {

namespace {

const char* const kStyles =
    R"(<w:style w:type="paragraph" w:customStyle="1" w:styleId="GongwenBody"><w:name w:val="公文正文"/><w:basedOn w:val="Normal"/><w:qFormat/>)"
    R"(<w:pPr><w:ind w:firstLineChars="200" w:firstLine="640"/></w:pPr>)"
    R"(<w:rPr><w:rFonts w:ascii="仿宋_GB2312" w:eastAsia="仿宋_GB2312" w:hAnsi="仿宋_GB2312"/><w:sz w:val="32"/><w:szCs w:val="32"/></w:rPr></w:style>)"
    R"(<w:style w:type="paragraph" w:customStyle="1" w:styleId="GongwenTitle"><w:name w:val="公文标题"/><w:basedOn w:val="Normal"/><w:next w:val="GongwenBody"/><w:qFormat/>)"
    R"(<w:pPr><w:jc w:val="center"/></w:pPr><w:rPr><w:rFonts w:ascii="方正小标宋简体" w:eastAsia="方正小标宋简体" w:hAnsi="方正小标宋简体"/><w:sz w:val="44"/><w:szCs w:val="44"/></w:rPr></w:style>)"
    R"(<w:style w:type="paragraph" w:styleId="Heading1"><w:name w:val="heading 1"/><w:basedOn w:val="GongwenBody"/><w:next w:val="GongwenBody"/><w:uiPriority w:val="9"/><w:qFormat/>)"
    R"(<w:pPr><w:keepNext/><w:outlineLvl w:val="0"/></w:pPr><w:rPr><w:rFonts w:ascii="黑体" w:eastAsia="黑体" w:hAnsi="黑体"/></w:rPr></w:style>)"
    R"(<w:style w:type="paragraph" w:styleId="Heading2"><w:name w:val="heading 2"/><w:basedOn w:val="GongwenBody"/><w:next w:val="GongwenBody"/><w:uiPriority w:val="9"/><w:unhideWhenUsed/><w:qFormat/>)"
    R"(<w:pPr><w:keepNext/><w:outlineLvl w:val="1"/></w:pPr><w:rPr><w:rFonts w:ascii="楷体_GB2312" w:eastAsia="楷体_GB2312" w:hAnsi="楷体_GB2312"/></w:rPr></w:style>)"
    R"(<w:style w:type="paragraph" w:styleId="Footer"><w:name w:val="footer"/><w:basedOn w:val="Normal"/><w:uiPriority w:val="99"/><w:unhideWhenUsed/>)"
    R"(<w:pPr><w:tabs><w:tab w:val="center" w:pos="4153"/><w:tab w:val="right" w:pos="8306"/></w:tabs><w:snapToGrid w:val="0"/><w:jc w:val="left"/></w:pPr><w:rPr><w:sz w:val="18"/><w:szCs w:val="18"/></w:rPr></w:style>)";

}  // namespace

void writeOfficialDocument(const std::string& path)
{
    WordDocument doc;
    doc.title = "关于进一步规范公文格式的通知";
    doc.compatibilityMode = 14;
    doc.compat =
        "<w:spaceForUL/><w:balanceSingleByteDoubleByteWidth/><w:doNotLeaveBackslashAlone/><w:ulTrailSpace/>"
        "<w:doNotExpandShiftReturn/><w:adjustLineHeightInTable/><w:useFELayout/>";
    doc.fonts = {"Times New Roman", "宋体", "仿宋_GB2312", "方正小标宋简体", "黑体", "楷体_GB2312"};
    doc.styles = kStyles;

    const std::string pageNumber = R"(<w:rFonts w:ascii="宋体" w:eastAsia="宋体" w:hAnsi="宋体"/><w:sz w:val="28"/><w:szCs w:val="28"/>)";
    const std::string footer = doc.footer(paragraph(
        R"(<w:pStyle w:val="Footer"/><w:jc w:val="center"/>)",
        run("— ", pageNumber) + field("PAGE   \\* MERGEFORMAT", "1", pageNumber) + run(" —", pageNumber)));

    auto body = [](const std::string& text) { return paragraph(R"(<w:pStyle w:val="GongwenBody"/>)", run(text)); };
    std::string xml = paragraph(R"(<w:pStyle w:val="GongwenTitle"/>)", run("关于进一步规范公文格式的通知")) +
                      paragraph(R"(<w:pStyle w:val="GongwenBody"/>)", "") +
                      paragraph(R"(<w:pStyle w:val="GongwenBody"/><w:ind w:firstLineChars="0" w:firstLine="0"/>)",
                                run("各区人民政府，市政府各委、办、局，各市属机构："));
    const char* headings[] = {"一、总体要求", "二、主要内容", "三、工作步骤", "四、保障措施"};
    const char* subheadings[] = {"（一）统一版式。", "（二）规范用语。"};
    int sentence = 0;
    for (const char* heading : headings) {
        xml += paragraph(R"(<w:pStyle w:val="Heading1"/>)", run(heading));
        for (const char* sub : subheadings) {
            xml += paragraph(R"(<w:pStyle w:val="Heading2"/>)", run(sub));
            for (int i = 0; i < 2; ++i)
                xml += body(chineseParagraph(sentence, 5)), sentence += 5;
        }
    }
    xml += paragraph(R"(<w:pStyle w:val="GongwenBody"/>)", "") +
           paragraph(R"(<w:pStyle w:val="GongwenBody"/><w:wordWrap w:val="0"/><w:ind w:rightChars="400" w:right="1280" w:firstLineChars="0" w:firstLine="0"/><w:jc w:val="right"/>)",
                     run("某某市人民政府办公厅")) +
           paragraph(R"(<w:pStyle w:val="GongwenBody"/><w:wordWrap w:val="0"/><w:ind w:rightChars="400" w:right="1280" w:firstLineChars="0" w:firstLine="0"/><w:jc w:val="right"/>)",
                     run("2026年11月2日")) +
           paragraph(R"(<w:pStyle w:val="GongwenBody"/>)", run("（此件公开发布）")) +
           // The record at the foot keeps the template's own font: the theme's.
           paragraph(R"(<w:ind w:leftChars="100" w:left="280" w:rightChars="100" w:right="280"/>)",
                     run("抄送：市委办公厅，市人大常委会办公厅，市政协办公厅。", R"(<w:sz w:val="28"/><w:szCs w:val="28"/>)")) +
           paragraph(R"(<w:ind w:leftChars="100" w:left="280" w:rightChars="100" w:right="280"/>)",
                     run("某某市人民政府办公厅　　　　　　　　2026年11月2日印发", R"(<w:sz w:val="28"/><w:szCs w:val="28"/>)"));
    xml += "<w:sectPr><w:footerReference w:type=\"default\" r:id=\"" + footer + "\"/>" +
           R"(<w:pgSz w:w="11906" w:h="16838"/><w:pgMar w:top="2098" w:right="1474" w:bottom="1984" w:left="1588" w:header="851" w:footer="1361" w:gutter="0"/>)"
           R"(<w:cols w:space="425"/><w:docGrid w:type="linesAndChars" w:linePitch="579" w:charSpace="-849"/></w:sectPr>)";
    doc.write(xml, path);
}

}  // namespace tessaro::test
