// Word's constructs that only its XML holds whole: notes, content controls,
// annotations and revisions, floating shapes and an embedded workbook.
#include "word_corpus/chinese_text.h"
#include "word_corpus/word_corpus.h"
#include "word_corpus/word_document.h"

namespace tessaro::test {

namespace {

const char* const kStyles =
    R"(<w:style w:type="paragraph" w:styleId="FootnoteText"><w:name w:val="footnote text"/><w:basedOn w:val="Normal"/><w:link w:val="FootnoteTextChar"/><w:uiPriority w:val="99"/><w:semiHidden/><w:unhideWhenUsed/>)"
    R"(<w:pPr><w:snapToGrid w:val="0"/><w:jc w:val="left"/></w:pPr><w:rPr><w:sz w:val="18"/><w:szCs w:val="18"/></w:rPr></w:style>)"
    R"(<w:style w:type="character" w:customStyle="1" w:styleId="FootnoteTextChar"><w:name w:val="脚注文本 字符"/><w:basedOn w:val="DefaultParagraphFont"/><w:link w:val="FootnoteText"/><w:rPr><w:sz w:val="18"/><w:szCs w:val="18"/></w:rPr></w:style>)"
    R"(<w:style w:type="character" w:styleId="FootnoteReference"><w:name w:val="footnote reference"/><w:basedOn w:val="DefaultParagraphFont"/><w:uiPriority w:val="99"/><w:semiHidden/><w:unhideWhenUsed/><w:rPr><w:vertAlign w:val="superscript"/></w:rPr></w:style>)"
    R"(<w:style w:type="character" w:styleId="PlaceholderText"><w:name w:val="Placeholder Text"/><w:basedOn w:val="DefaultParagraphFont"/><w:uiPriority w:val="99"/><w:semiHidden/><w:rPr><w:color w:val="808080"/></w:rPr></w:style>)";

std::string footnoteReference(int id)
{
    return R"(<w:r><w:rPr><w:rStyle w:val="FootnoteReference"/></w:rPr><w:footnoteReference w:id=")" + std::to_string(id) + R"("/></w:r>)";
}

std::string footnote(int id, const std::string& text)
{
    return "<w:footnote w:id=\"" + std::to_string(id) + "\">" +
           paragraph(R"(<w:pStyle w:val="FootnoteText"/>)",
                     R"(<w:r><w:rPr><w:rStyle w:val="FootnoteReference"/></w:rPr><w:footnoteRef/></w:r>)" + run(" " + text)) +
           "</w:footnote>";
}

std::string control(const std::string& properties, const std::string& content)
{
    return "<w:sdt><w:sdtPr>" + properties + "</w:sdtPr><w:sdtEndPr/><w:sdtContent>" + content + "</w:sdtContent></w:sdt>";
}

std::string picture(const std::string& id)
{
    return R"(<w:r><w:rPr><w:noProof/></w:rPr><w:drawing><wp:anchor distT="0" distB="0" distL="114300" distR="114300" simplePos="0" relativeHeight="251660288" behindDoc="0" locked="0" layoutInCell="1" allowOverlap="1">)"
           R"(<wp:simplePos x="0" y="0"/><wp:positionH relativeFrom="margin"><wp:align>right</wp:align></wp:positionH><wp:positionV relativeFrom="paragraph"><wp:posOffset>0</wp:posOffset></wp:positionV>)"
           R"(<wp:extent cx="1219200" cy="914400"/><wp:effectExtent l="0" t="0" r="0" b="0"/><wp:wrapSquare wrapText="bothSides"/><wp:docPr id="1" name="图片 1"/>)"
           R"(<wp:cNvGraphicFramePr><a:graphicFrameLocks xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" noChangeAspect="1"/></wp:cNvGraphicFramePr>)"
           R"(<a:graphic xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main"><a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/picture">)"
           R"(<pic:pic xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture"><pic:nvPicPr><pic:cNvPr id="1" name="图片 1"/><pic:cNvPicPr/></pic:nvPicPr>)"
           R"(<pic:blipFill><a:blip r:embed=")" + id + R"("/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>)"
           R"(<pic:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="1219200" cy="914400"/></a:xfrm><a:prstGeom prst="rect"><a:avLst/></a:prstGeom></pic:spPr></pic:pic>)"
           R"(</a:graphicData></a:graphic></wp:anchor></w:drawing></w:r>)";
}

// A text box as Word 2010 and later write it, with the VML copy older readers take.
std::string textBox(const std::string& content)
{
    return R"(<w:r><mc:AlternateContent><mc:Choice Requires="wps"><w:drawing><wp:anchor distT="45720" distB="45720" distL="114300" distR="114300" simplePos="0" relativeHeight="251659264" behindDoc="0" locked="0" layoutInCell="1" allowOverlap="1">)"
           R"(<wp:simplePos x="0" y="0"/><wp:positionH relativeFrom="column"><wp:posOffset>3200400</wp:posOffset></wp:positionH><wp:positionV relativeFrom="paragraph"><wp:posOffset>76200</wp:posOffset></wp:positionV>)"
           R"(<wp:extent cx="2000250" cy="800100"/><wp:effectExtent l="0" t="0" r="19050" b="19050"/><wp:wrapSquare wrapText="bothSides"/><wp:docPr id="2" name="文本框 2"/><wp:cNvGraphicFramePr/>)"
           R"(<a:graphic xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main"><a:graphicData uri="http://schemas.microsoft.com/office/word/2010/wordprocessingShape"><wps:wsp><wps:cNvSpPr txBox="1"><a:spLocks noChangeArrowheads="1"/></wps:cNvSpPr>)"
           R"(<wps:spPr bwMode="auto"><a:xfrm><a:off x="0" y="0"/><a:ext cx="2000250" cy="800100"/></a:xfrm><a:prstGeom prst="rect"><a:avLst/></a:prstGeom><a:solidFill><a:srgbClr val="FFFFFF"/></a:solidFill>)"
           R"(<a:ln w="9525"><a:solidFill><a:srgbClr val="000000"/></a:solidFill><a:miter lim="800000"/><a:headEnd/><a:tailEnd/></a:ln></wps:spPr>)"
           R"(<wps:txbx><w:txbxContent>)" + content + R"(</w:txbxContent></wps:txbx>)"
           R"(<wps:bodyPr rot="0" vert="horz" wrap="square" lIns="91440" tIns="45720" rIns="91440" bIns="45720" anchor="t" anchorCtr="0"><a:spAutoFit/></wps:bodyPr></wps:wsp></a:graphicData></a:graphic>)"
           R"(<wp14:sizeRelH relativeFrom="margin"><wp14:pctWidth>0</wp14:pctWidth></wp14:sizeRelH><wp14:sizeRelV relativeFrom="margin"><wp14:pctHeight>0</wp14:pctHeight></wp14:sizeRelV></wp:anchor></w:drawing></mc:Choice>)"
           R"(<mc:Fallback><w:pict><v:shapetype id="_x0000_t202" coordsize="21600,21600" o:spt="202" path="m,l,21600r21600,l21600,xe"><v:stroke joinstyle="miter"/><v:path gradientshapeok="t" o:connecttype="rect"/></v:shapetype>)"
           R"(<v:shape id="文本框 2" o:spid="_x0000_s1026" type="#_x0000_t202" style="position:absolute;margin-left:252pt;margin-top:6pt;width:157.5pt;height:63pt;z-index:251659264;mso-wrap-style:square" strokeweight=".75pt">)"
           R"(<v:textbox style="mso-fit-shape-to-text:t"><w:txbxContent>)" + content + R"(</w:txbxContent></v:textbox><w10:wrap type="square"/></v:shape></w:pict></mc:Fallback></mc:AlternateContent></w:r>)";
}

std::string embeddedWorkbook(const std::string& preview, const std::string& embedding)
{
    return R"(<w:r><w:object w:dxaOrig="4320" w:dyaOrig="1440"><v:shapetype id="_x0000_t75" coordsize="21600,21600" o:spt="75" o:preferrelative="t" path="m@4@5l@4@11@9@11@9@5xe" filled="f" stroked="f"><v:stroke joinstyle="miter"/><v:path o:extrusionok="f" gradientshapeok="t" o:connecttype="rect"/><o:lock v:ext="edit" aspectratio="t"/></v:shapetype>)"
           R"(<v:shape id="_x0000_i1025" type="#_x0000_t75" style="width:216pt;height:72pt" o:ole=""><v:imagedata r:id=")" + preview + R"(" o:title=""/></v:shape>)"
           R"(<o:OLEObject Type="Embed" ProgID="Excel.Sheet.12" ShapeID="_x0000_i1025" DrawAspect="Content" ObjectID="_1790000001" r:id=")" + embedding + R"("/></w:object></w:r>)";
}

}  // namespace

void writeRichDocument(const std::string& path)
{
    WordDocument doc;
    doc.title = "项目合同审阅稿";
    doc.styles = kStyles;
    doc.fonts = {"Times New Roman", "宋体", "MS Gothic"};
    const char* notes[] = {"依据《中华人民共和国民法典》合同编的有关规定。", "金额以人民币计，含税。",
                           "验收标准见附件二。", "逾期按日万分之五计算违约金。", "双方另行签订保密协议。",
                           "争议提交项目所在地仲裁委员会仲裁。"};
    for (int i = 1; i <= 6; ++i)
        doc.footnotes += footnote(i, notes[i - 1]);
    doc.comments = R"(<w:comment w:id="0" w:author="审阅人" w:date="2026-11-02T11:00:00Z" w:initials="SY">)" +
                   paragraph("", R"(<w:r><w:annotationRef/></w:r>)" + run("这段跨页的内容需要再核对。")) + "</w:comment>";
    const std::string image = doc.image(png(96, 72));
    const std::string preview = doc.image(png(120, 40));
    const std::string workbookId = doc.embeddedWorkbook(workbook(4));

    const std::string placeholder = R"(<w:rStyle w:val="PlaceholderText"/>)";
    std::string xml = paragraph(
        R"(<w:jc w:val="center"/>)",
        run("项目合同（审阅稿）", R"(<w:b/><w:sz w:val="36"/><w:szCs w:val="36"/>)"));
    xml += paragraph("", run("项目名称：") +
                             control(R"(<w:alias w:val="项目名称"/><w:tag w:val="projectName"/><w:id w:val="1001"/><w:lock w:val="sdtLocked"/><w:text/>)",
                                     run("智慧园区建设项目")) +
                             run("　密级：") +
                             control(R"(<w:alias w:val="密级"/><w:tag w:val="secrecy"/><w:id w:val="1003"/><w:dropDownList w:lastValue="内部"><w:listItem w:displayText="公开" w:value="公开"/><w:listItem w:displayText="内部" w:value="内部"/><w:listItem w:displayText="秘密" w:value="秘密"/></w:dropDownList>)",
                                     run("内部")));
    xml += paragraph("", run("签署日期：") +
                             control(R"(<w:alias w:val="签署日期"/><w:tag w:val="signDate"/><w:id w:val="1002"/><w:date w:fullDate="2026-11-02T00:00:00Z"><w:dateFormat w:val="yyyy'年'M'月'd'日'"/><w:lid w:val="zh-CN"/><w:storeMappedDataAs w:val="dateTime"/><w:calendar w:val="gregorian"/></w:date>)",
                                     run("2026年11月2日")) +
                             run("　已审核：") +
                             control(R"(<w:alias w:val="已审核"/><w:tag w:val="reviewed"/><w:id w:val="1004"/><w14:checkbox><w14:checked w14:val="1"/><w14:checkedState w14:val="2612" w14:font="MS Gothic"/><w14:uncheckedState w14:val="2610" w14:font="MS Gothic"/></w14:checkbox>)",
                                     run("☒", R"(<w:rFonts w:ascii="MS Gothic" w:eastAsia="MS Gothic" w:hAnsi="MS Gothic" w:hint="eastAsia"/>)")));
    xml += control(R"(<w:alias w:val="摘要"/><w:tag w:val="summary"/><w:id w:val="1005"/><w:showingPlcHdr/>)",
                   paragraph("", run("合同摘要：甲乙双方就园区建设达成如下约定。", placeholder)) +
                       paragraph("", run("本摘要不构成合同条款。", placeholder)));
    xml += paragraph("", picture(image) + run(chineseParagraph(0, 3)) + footnoteReference(1) + run(chineseParagraph(3, 3)));
    xml += paragraph("", textBox(paragraph("", run("文本框：本页内容仅供内部审阅。")) + paragraph("", run("请勿外传。"))) +
                             run(chineseParagraph(6, 4)) + footnoteReference(2));
    xml += paragraph("", run("合同价款为人民币壹佰万元整") + footnoteReference(3) + run("，") +
                             R"(<w:ins w:id="101" w:author="张三" w:date="2026-11-02T10:00:00Z">)" + run("分三期支付，") + "</w:ins>" +
                             R"(<w:del w:id="102" w:author="李四" w:date="2026-11-02T10:05:00Z"><w:r><w:delText>一次性付清，</w:delText></w:r></w:del>)" +
                             run("具体见付款计划。"));
    // A bookmark and a comment that start on one page and end on the next.
    xml += paragraph("", R"(<w:bookmarkStart w:id="0" w:name="跨页条款"/><w:commentRangeStart w:id="0"/>)" +
                             run(chineseParagraph(9, 4)) + R"(<w:r><w:br w:type="page"/></w:r>)" + run(chineseParagraph(13, 2)) +
                             R"(<w:bookmarkEnd w:id="0"/><w:commentRangeEnd w:id="0"/><w:r><w:commentReference w:id="0"/></w:r>)");
    xml += paragraph("", run("附：年度预算表") + footnoteReference(4));
    xml += paragraph(R"(<w:jc w:val="center"/>)", embeddedWorkbook(preview, workbookId));
    for (int i = 0; i < 8; ++i)
        xml += paragraph(R"(<w:ind w:firstLineChars="200" w:firstLine="420"/>)",
                         run(chineseParagraph(4 + 2 * i, 5)) + (i == 3 ? footnoteReference(5) : "") +
                             (i == 7 ? footnoteReference(6) : ""));
    xml += R"(<w:sectPr><w:footnotePr><w:numFmt w:val="decimalEnclosedCircleChinese"/></w:footnotePr><w:pgSz w:w="11906" w:h="16838"/>)"
           R"(<w:pgMar w:top="1440" w:right="1800" w:bottom="1440" w:left="1800" w:header="851" w:footer="992" w:gutter="0"/><w:cols w:space="425"/><w:docGrid w:type="lines" w:linePitch="312"/></w:sectPr>)";
    doc.write(xml, path);
}

}  // namespace tessaro::test
