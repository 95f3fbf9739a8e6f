#include "word_corpus/word_document.h"

#include "stored_zip.h"

#include <zlib.h>

#include <stdexcept>

namespace tessaro::test {

const char* const kWordNamespaces =
    R"(xmlns:wpc="http://schemas.microsoft.com/office/word/2010/wordprocessingCanvas" )"
    R"(xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006" )"
    R"(xmlns:o="urn:schemas-microsoft-com:office:office" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" )"
    R"(xmlns:m="http://schemas.openxmlformats.org/officeDocument/2006/math" )"
    R"(xmlns:v="urn:schemas-microsoft-com:vml" )"
    R"(xmlns:wp14="http://schemas.microsoft.com/office/word/2010/wordprocessingDrawing" )"
    R"(xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing" )"
    R"(xmlns:w10="urn:schemas-microsoft-com:office:word" )"
    R"(xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
    R"(xmlns:w14="http://schemas.microsoft.com/office/word/2010/wordml" )"
    R"(xmlns:w15="http://schemas.microsoft.com/office/word/2012/wordml" )"
    R"(xmlns:wpg="http://schemas.microsoft.com/office/word/2010/wordprocessingGroup" )"
    R"(xmlns:wpi="http://schemas.microsoft.com/office/word/2010/wordprocessingInk" )"
    R"(xmlns:wne="http://schemas.microsoft.com/office/word/2006/wordml" )"
    R"(xmlns:wps="http://schemas.microsoft.com/office/word/2010/wordprocessingShape" )"
    R"(mc:Ignorable="w14 w15 wp14")";

namespace {

const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
const std::string kWordType = "application/vnd.openxmlformats-officedocument.wordprocessingml.";

// A few of the hundreds of entries Word writes, enough to be read as Word's.
const char* const kLatentStyles =
    R"(<w:latentStyles w:defLockedState="0" w:defUIPriority="99" w:defSemiHidden="0" w:defUnhideWhenUsed="0" w:defQFormat="0" w:count="376">)"
    R"(<w:lsdException w:name="Normal" w:uiPriority="0" w:qFormat="1"/>)"
    R"(<w:lsdException w:name="heading 1" w:uiPriority="9" w:qFormat="1"/>)"
    R"(<w:lsdException w:name="heading 2" w:semiHidden="1" w:uiPriority="9" w:unhideWhenUsed="1" w:qFormat="1"/>)"
    R"(<w:lsdException w:name="footnote text" w:semiHidden="1" w:unhideWhenUsed="1"/>)"
    R"(<w:lsdException w:name="header" w:semiHidden="1" w:unhideWhenUsed="1"/>)"
    R"(<w:lsdException w:name="footer" w:semiHidden="1" w:unhideWhenUsed="1"/>)"
    R"(<w:lsdException w:name="Title" w:uiPriority="10" w:qFormat="1"/>)"
    R"(<w:lsdException w:name="Table Grid" w:uiPriority="39"/>)"
    R"(<w:lsdException w:name="List Paragraph" w:uiPriority="34" w:qFormat="1"/>)"
    R"(</w:latentStyles>)";

const char* const kHiddenStyles =
    R"(<w:style w:type="character" w:default="1" w:styleId="DefaultParagraphFont"><w:name w:val="Default Paragraph Font"/><w:uiPriority w:val="1"/><w:semiHidden/><w:unhideWhenUsed/></w:style>)"
    R"(<w:style w:type="table" w:default="1" w:styleId="TableNormal"><w:name w:val="Normal Table"/><w:uiPriority w:val="99"/><w:semiHidden/><w:unhideWhenUsed/>)"
    R"(<w:tblPr><w:tblInd w:w="0" w:type="dxa"/><w:tblCellMar><w:top w:w="0" w:type="dxa"/><w:left w:w="108" w:type="dxa"/><w:bottom w:w="0" w:type="dxa"/><w:right w:w="108" w:type="dxa"/></w:tblCellMar></w:tblPr></w:style>)"
    R"(<w:style w:type="numbering" w:default="1" w:styleId="NoList"><w:name w:val="No List"/><w:uiPriority w:val="99"/><w:semiHidden/><w:unhideWhenUsed/></w:style>)";

std::string themePart(const ThemeFonts& fonts)
{
    auto colour = [](const char* name, const char* rgb) {
        return std::string("<a:") + name + "><a:srgbClr val=\"" + rgb + "\"/></a:" + name + ">";
    };
    auto scheme = [](const std::string& which, const std::string& latin, const std::string& hans, const std::string& jpan) {
        return "<a:" + which + "><a:latin typeface=\"" + latin + "\"/><a:ea typeface=\"\"/><a:cs typeface=\"\"/>" +
               "<a:font script=\"Jpan\" typeface=\"" + jpan + "\"/><a:font script=\"Hang\" typeface=\"맑은 고딕\"/>" +
               "<a:font script=\"Hans\" typeface=\"" + hans + "\"/><a:font script=\"Hant\" typeface=\"新細明體\"/>" +
               "<a:font script=\"Arab\" typeface=\"Times New Roman\"/><a:font script=\"Hebr\" typeface=\"Times New Roman\"/>" +
               "<a:font script=\"Thai\" typeface=\"Angsana New\"/></a:" + which + ">";
    };
    std::string three;
    for (int i = 0; i < 3; ++i)
        three += R"(<a:solidFill><a:schemeClr val="phClr"/></a:solidFill>)";
    std::string lines, effects;
    for (int width : {9525, 25400, 38100})
        lines += "<a:ln w=\"" + std::to_string(width) + R"(" cap="flat" cmpd="sng" algn="ctr"><a:solidFill><a:schemeClr val="phClr"/></a:solidFill><a:prstDash val="solid"/></a:ln>)";
    for (int i = 0; i < 3; ++i)
        effects += "<a:effectStyle><a:effectLst/></a:effectStyle>";
    return std::string(kDeclaration) +
           R"(<a:theme xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" name="Office 主题"><a:themeElements>)" +
           R"(<a:clrScheme name="Office"><a:dk1><a:sysClr val="windowText" lastClr="000000"/></a:dk1><a:lt1><a:sysClr val="window" lastClr="FFFFFF"/></a:lt1>)" +
           colour("dk2", "1F497D") + colour("lt2", "EEECE1") + colour("accent1", "4F81BD") + colour("accent2", "C0504D") +
           colour("accent3", "9BBB59") + colour("accent4", "8064A2") + colour("accent5", "4BACC6") +
           colour("accent6", "F79646") + colour("hlink", "0000FF") + colour("folHlink", "800080") + "</a:clrScheme>" +
           "<a:fontScheme name=\"" + fonts.name + "\">" + scheme("majorFont", fonts.majorLatin, fonts.majorHans, fonts.majorJpan) +
           scheme("minorFont", fonts.minorLatin, fonts.minorHans, fonts.minorJpan) + "</a:fontScheme>" +
           "<a:fmtScheme name=\"Office\"><a:fillStyleLst>" + three + "</a:fillStyleLst><a:lnStyleLst>" + lines +
           "</a:lnStyleLst><a:effectStyleLst>" + effects + "</a:effectStyleLst><a:bgFillStyleLst>" + three +
           "</a:bgFillStyleLst></a:fmtScheme></a:themeElements><a:objectDefaults/><a:extraClrSchemeLst/></a:theme>";
}

std::string fontTablePart(const std::vector<std::string>& fonts)
{
    std::string table = std::string(kDeclaration) +
                        R"(<w:fonts xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" xmlns:w14="http://schemas.microsoft.com/office/word/2010/wordml" mc:Ignorable="w14">)";
    for (const auto& font : fonts) {
        const bool ascii = static_cast<unsigned char>(font[0]) < 0x80;
        table += "<w:font w:name=\"" + font + "\"><w:charset w:val=\"" + (ascii ? "00" : "86") +
                 "\"/><w:family w:val=\"" + (ascii ? "roman" : "auto") + "\"/><w:pitch w:val=\"variable\"/></w:font>";
    }
    return table + "</w:fonts>";
}

std::string core(const std::string& title)
{
    return std::string(kDeclaration) +
           R"(<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties" xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:dcterms="http://purl.org/dc/terms/" xmlns:dcmitype="http://purl.org/dc/dcmitype/" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">)"
           "<dc:title>" + title + "</dc:title><dc:creator>王晓明</dc:creator><cp:lastModifiedBy>王晓明</cp:lastModifiedBy><cp:revision>3</cp:revision>"
           R"(<dcterms:created xsi:type="dcterms:W3CDTF">2026-11-02T08:00:00Z</dcterms:created><dcterms:modified xsi:type="dcterms:W3CDTF">2026-11-03T09:30:00Z</dcterms:modified></cp:coreProperties>)";
}

const char* const kApp =
    R"(<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/extended-properties" xmlns:vt="http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes">)"
    R"(<Template>Normal.dotm</Template><TotalTime>42</TotalTime><Pages>4</Pages><Words>512</Words><Characters>2920</Characters>)"
    R"(<Application>Microsoft Office Word</Application><DocSecurity>0</DocSecurity><Lines>24</Lines><Paragraphs>6</Paragraphs>)"
    R"(<ScaleCrop>false</ScaleCrop><Company></Company><LinksUpToDate>false</LinksUpToDate><CharactersWithSpaces>3426</CharactersWithSpaces>)"
    R"(<SharedDoc>false</SharedDoc><HyperlinksChanged>false</HyperlinksChanged><AppVersion>16.0000</AppVersion></Properties>)";

const char* const kBibliography =
    R"(<b:Sources xmlns:b="http://schemas.openxmlformats.org/officeDocument/2006/bibliography" xmlns="http://schemas.openxmlformats.org/officeDocument/2006/bibliography" SelectedStyle="\APASixthEditionOfficeOnline.xsl" StyleName="APA" Version="6"></b:Sources>)";
const char* const kBibliographyProps =
    R"(<ds:datastoreItem ds:itemID="{4B1A9C2E-3F5D-4E6A-8B7C-1D2E3F4A5B6C}" xmlns:ds="http://schemas.openxmlformats.org/officeDocument/2006/customXml"><ds:schemaRefs><ds:schemaRef ds:uri="http://schemas.openxmlformats.org/officeDocument/2006/bibliography"/></ds:schemaRefs></ds:datastoreItem>)";

// The two notes Word writes first in footnotes.xml and endnotes.xml.
std::string separators(const std::string& kind)
{
    std::string notes;
    for (const std::string type : {"separator", "continuationSeparator"})
        notes += "<w:" + kind + " w:type=\"" + type + "\" w:id=\"" + (type == "separator" ? "-1" : "0") +
                 R"("><w:p><w:pPr><w:spacing w:after="0" w:line="240" w:lineRule="auto"/></w:pPr><w:r><w:)" + type +
                 "/></w:r></w:p></w:" + kind + ">";
    return notes;
}

}  // namespace

std::string run(const std::string& text, const std::string& rPr)
{
    return "<w:r>" + (rPr.empty() ? "" : "<w:rPr>" + rPr + "</w:rPr>") + "<w:t xml:space=\"preserve\">" + text +
           "</w:t></w:r>";
}

std::string paragraph(const std::string& pPr, const std::string& runs)
{
    return "<w:p>" + (pPr.empty() ? "" : "<w:pPr>" + pPr + "</w:pPr>") + runs + "</w:p>";
}

std::string field(const std::string& instruction, const std::string& result, const std::string& rPr)
{
    const std::string properties = rPr.empty() ? "" : "<w:rPr>" + rPr + "</w:rPr>";
    return "<w:r>" + properties + R"(<w:fldChar w:fldCharType="begin"/></w:r><w:r>)" + properties +
           "<w:instrText xml:space=\"preserve\"> " + instruction + " </w:instrText></w:r><w:r>" + properties +
           R"(<w:fldChar w:fldCharType="separate"/></w:r>)" + run(result, rPr) + "<w:r>" + properties +
           R"(<w:fldChar w:fldCharType="end"/></w:r>)";
}

std::string storyPart(const std::string& root, const std::string& content)
{
    return std::string(kDeclaration) + "<w:" + root + " " + kWordNamespaces + ">" + content + "</w:" + root + ">";
}

std::string WordDocument::add(const std::string& folder, const std::string& name, const std::string& contentType,
                              const std::string& type, const std::string& data)
{
    package_.part("word/" + folder + name, contentType, data);
    return package_.relate("word/document.xml", type, folder + name);
}

std::string WordDocument::header(const std::string& content)
{
    return add("", "header" + std::to_string(++headers_) + ".xml", kWordType + "header+xml", relationship::kHeader,
               storyPart("hdr", content));
}

std::string WordDocument::footer(const std::string& content)
{
    return add("", "footer" + std::to_string(++footers_) + ".xml", kWordType + "footer+xml", relationship::kFooter,
               storyPart("ftr", content));
}

std::string WordDocument::image(const std::string& bytes)
{
    return add("media/", "image" + std::to_string(++media_) + ".png", "image/png", relationship::kImage, bytes);
}

std::string WordDocument::embeddedWorkbook(const std::string& xlsx)
{
    return add("embeddings/", "Microsoft_Excel_Worksheet" + std::to_string(++embeddings_) + ".xlsx",
               "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet", relationship::kPackage, xlsx);
}

void WordDocument::write(const std::string& body, const std::string& path)
{
    PackageWriter& p = package_;
    p.part("word/document.xml", kWordType + "document.main+xml", storyPart("document", "<w:body>" + body + "</w:body>"));
    p.relate("", relationship::kOfficeDocument, "word/document.xml");
    p.relate("", relationship::kCoreProperties, "docProps/core.xml");
    p.relate("", relationship::kExtendedProperties, "docProps/app.xml");

    p.part("customXml/item1.xml", "application/xml", kBibliography);
    p.part("customXml/itemProps1.xml", "application/vnd.openxmlformats-officedocument.customXmlProperties+xml",
           std::string(kDeclaration) + kBibliographyProps);
    p.relate("customXml/item1.xml", relationship::kCustomXmlProps, "itemProps1.xml");
    p.relate("word/document.xml", relationship::kCustomXml, "../customXml/item1.xml");

    const std::string stylesXml =
        std::string(kDeclaration) +
        R"(<w:styles xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" xmlns:w14="http://schemas.microsoft.com/office/word/2010/wordml" xmlns:w15="http://schemas.microsoft.com/office/word/2012/wordml" mc:Ignorable="w14 w15">)"
        "<w:docDefaults><w:rPrDefault><w:rPr>" + defaultRun + "</w:rPr></w:rPrDefault><w:pPrDefault>" +
        (defaultParagraph.empty() ? "" : "<w:pPr>" + defaultParagraph + "</w:pPr>") + "</w:pPrDefault></w:docDefaults>" +
        kLatentStyles +
        R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/><w:qFormat/>)" + normal +
        "</w:style>" + kHiddenStyles + styles + "</w:styles>";
    add("", "styles.xml", kWordType + "styles+xml", relationship::kStyles, stylesXml);

    const std::string mode = std::to_string(compatibilityMode);
    const std::string settingsXml =
        std::string(kDeclaration) +
        R"(<w:settings xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006" xmlns:o="urn:schemas-microsoft-com:office:office" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:m="http://schemas.openxmlformats.org/officeDocument/2006/math" xmlns:v="urn:schemas-microsoft-com:vml" xmlns:w10="urn:schemas-microsoft-com:office:word" xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" xmlns:w14="http://schemas.microsoft.com/office/word/2010/wordml" xmlns:w15="http://schemas.microsoft.com/office/word/2012/wordml" xmlns:sl="http://schemas.openxmlformats.org/schemaLibrary/2006/main" mc:Ignorable="w14 w15">)"
        R"(<w:zoom w:percent="100"/><w:bordersDoNotSurroundHeader/><w:bordersDoNotSurroundFooter/>)" + settings +
        R"(<w:defaultTabStop w:val="420"/><w:drawingGridVerticalSpacing w:val="156"/><w:displayHorizontalDrawingGridEvery w:val="0"/><w:displayVerticalDrawingGridEvery w:val="2"/>)"
        R"(<w:characterSpacingControl w:val="compressPunctuation"/>)" +
        std::string(footnotes.empty() ? "" : R"(<w:footnotePr><w:footnote w:id="-1"/><w:footnote w:id="0"/></w:footnotePr><w:endnotePr><w:endnote w:id="-1"/><w:endnote w:id="0"/></w:endnotePr>)") +
        "<w:compat>" + compat +
        R"(<w:compatSetting w:name="compatibilityMode" w:uri="http://schemas.microsoft.com/office/word" w:val=")" + mode + R"("/>)" +
        R"(<w:compatSetting w:name="overrideTableStyleFontSizeAndJustification" w:uri="http://schemas.microsoft.com/office/word" w:val="1"/>)"
        R"(<w:compatSetting w:name="enableOpenTypeFeatures" w:uri="http://schemas.microsoft.com/office/word" w:val="1"/>)"
        R"(<w:compatSetting w:name="doNotFlipMirrorIndents" w:uri="http://schemas.microsoft.com/office/word" w:val="1"/>)" +
        (compatibilityMode >= 15 ? R"(<w:compatSetting w:name="differentiateMultirowTableHeaders" w:uri="http://schemas.microsoft.com/office/word" w:val="1"/>)" : "") +
        "</w:compat>"
        R"(<w:rsids><w:rsidRoot w:val="00A41C2B"/><w:rsid w:val="00A41C2B"/><w:rsid w:val="00C3D5E7"/></w:rsids>)"
        R"(<m:mathPr><m:mathFont m:val="Cambria Math"/><m:brkBin m:val="before"/><m:brkBinSub m:val="--"/><m:smallFrac m:val="0"/><m:dispDef/><m:lMargin m:val="0"/><m:rMargin m:val="0"/><m:defJc m:val="centerGroup"/><m:wrapIndent m:val="1440"/><m:intLim m:val="subSup"/><m:naryLim m:val="undOvr"/></m:mathPr>)"
        R"(<w:themeFontLang w:val="en-US" w:eastAsia="zh-CN"/>)"
        R"(<w:clrSchemeMapping w:bg1="light1" w:t1="dark1" w:bg2="light2" w:t2="dark2" w:accent1="accent1" w:accent2="accent2" w:accent3="accent3" w:accent4="accent4" w:accent5="accent5" w:accent6="accent6" w:hyperlink="hyperlink" w:followedHyperlink="followedHyperlink"/>)"
        R"(<w:shapeDefaults><o:shapedefaults v:ext="edit" spidmax="2049"/><o:shapelayout v:ext="edit"><o:idmap v:ext="edit" data="1"/></o:shapelayout></w:shapeDefaults>)"
        R"(<w:decimalSymbol w:val="."/><w:listSeparator w:val=","/>)"
        R"(<w14:docId w14:val="5C1E2A7B"/><w15:chartTrackingRefBased/><w15:docId w15:val="{8E2F1B3C-7A4D-4C5E-9F6A-2B3C4D5E6F70}"/></w:settings>)";
    add("", "settings.xml", kWordType + "settings+xml", relationship::kSettings, settingsXml);
    add("", "webSettings.xml", kWordType + "webSettings+xml", relationship::kWebSettings,
        std::string(kDeclaration) +
            R"(<w:webSettings xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:optimizeForBrowser/><w:allowPNG/></w:webSettings>)");
    if (!numbering.empty())
        add("", "numbering.xml", kWordType + "numbering+xml", relationship::kNumbering, storyPart("numbering", numbering));
    if (!footnotes.empty()) {
        add("", "footnotes.xml", kWordType + "footnotes+xml", relationship::kFootnotes,
            storyPart("footnotes", separators("footnote") + footnotes));
        add("", "endnotes.xml", kWordType + "endnotes+xml", relationship::kEndnotes,
            storyPart("endnotes", separators("endnote")));
    }
    if (!comments.empty())
        add("", "comments.xml", kWordType + "comments+xml", relationship::kComments, storyPart("comments", comments));
    add("", "fontTable.xml", kWordType + "fontTable+xml", relationship::kFontTable, fontTablePart(fonts));
    add("theme/", "theme1.xml", "application/vnd.openxmlformats-officedocument.theme+xml", relationship::kTheme, themePart(theme));

    p.part("docProps/core.xml", "application/vnd.openxmlformats-package.core-properties+xml", core(title));
    p.part("docProps/app.xml", "application/vnd.openxmlformats-officedocument.extended-properties+xml",
           std::string(kDeclaration) + kApp);
    p.write(path);
}

std::string png(int width, int height)
{
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // no filter
        for (int x = 0; x < width; ++x) {
            raw += static_cast<char>(x * 255 / width);
            raw += static_cast<char>(y * 255 / height);
            raw += static_cast<char>(180);
        }
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string compressed(size, '\0');
    if (compress(reinterpret_cast<Bytef*>(compressed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
                 static_cast<uLong>(raw.size())) != Z_OK)
        throw std::runtime_error("cannot compress a picture");
    compressed.resize(size);
    auto big = [](uint32_t value) {
        return std::string{static_cast<char>(value >> 24), static_cast<char>(value >> 16 & 0xff),
                           static_cast<char>(value >> 8 & 0xff), static_cast<char>(value & 0xff)};
    };
    auto chunk = [&](const std::string& type, const std::string& data) {
        return big(static_cast<uint32_t>(data.size())) + type + data + big(crc32Of(type + data));
    };
    const std::string header = big(static_cast<uint32_t>(width)) + big(static_cast<uint32_t>(height)) +
                               std::string{8, 2, 0, 0, 0};  // 8 bits, RGB
    return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", compressed) + chunk("IEND", "");
}

std::string workbook(int rows)
{
    const std::string sheetType = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    std::string sheet = std::string(kDeclaration) +
                        R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)";
    for (int r = 1; r <= rows; ++r)
        sheet += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) + "\" t=\"inlineStr\"><is><t>第" +
                 std::to_string(r) + "季度</t></is></c><c r=\"B" + std::to_string(r) + "\"><v>" +
                 std::to_string(1000 + 250 * r) + "</v></c></row>";
    sheet += "</sheetData></worksheet>";
    PackageWriter xlsx;
    xlsx.part("xl/workbook.xml", sheetType + "sheet.main+xml",
              std::string(kDeclaration) +
                  R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets></workbook>)");
    xlsx.part("xl/worksheets/sheet1.xml", sheetType + "worksheet+xml", sheet);
    xlsx.relate("xl/workbook.xml", relationship::kBase + "worksheet", "worksheets/sheet1.xml");
    xlsx.relate("", relationship::kOfficeDocument, "xl/workbook.xml");
    return xlsx.bytes();
}

}  // namespace tessaro::test
