#include "fixtures.h"

#include "document/document.h"
#include "pdf_text.h"
#include "files/temp_dir.h"

#include <fstream>
#include <stdexcept>
#include <sys/stat.h>

namespace tessaro::test {

namespace {

const char* const kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>
<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>
<Override PartName="/word/numbering.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.numbering+xml"/>
<Override PartName="/word/header1.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml"/>
<Override PartName="/word/footer1.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml"/>
</Types>)";

const char* const kPackageRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>
</Relationships>)";

const char* const kDocumentRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering" Target="numbering.xml"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/header" Target="header1.xml"/>
<Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer" Target="footer1.xml"/>
</Relationships>)";

const char* const kNamespace = R"(xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main")";

// Defaults of its own (a monospaced 10.5 pt body, wide line spacing) and a
// green "Heading 1", so that nothing about its look is LibreOffice's.
const char* const kStyles =
    R"(<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii="DejaVu Sans Mono" w:hAnsi="DejaVu Sans Mono" w:eastAsia="WenQuanYi Micro Hei Mono"/><w:sz w:val="21"/><w:szCs w:val="21"/></w:rPr></w:rPrDefault>
<w:pPrDefault><w:pPr><w:spacing w:after="120" w:line="360" w:lineRule="auto"/></w:pPr></w:pPrDefault></w:docDefaults>
<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/></w:style>
<w:style w:type="paragraph" w:styleId="Heading1"><w:name w:val="heading 1"/><w:basedOn w:val="Normal"/><w:next w:val="Normal"/>
<w:pPr><w:keepNext/><w:spacing w:before="240" w:after="240"/><w:jc w:val="center"/><w:outlineLvl w:val="0"/></w:pPr>
<w:rPr><w:b/><w:color w:val="008000"/><w:sz w:val="36"/><w:szCs w:val="36"/></w:rPr></w:style>
<w:style w:type="paragraph" w:styleId="ListParagraph"><w:name w:val="List Paragraph"/><w:basedOn w:val="Normal"/><w:pPr><w:ind w:left="720"/></w:pPr></w:style>)";

const char* const kNumbering =
    R"(<w:abstractNum w:abstractNumId="0"><w:multiLevelType w:val="singleLevel"/>
<w:lvl w:ilvl="0"><w:start w:val="1"/><w:numFmt w:val="decimal"/><w:lvlText w:val="%1."/><w:lvlJc w:val="left"/>
<w:pPr><w:ind w:left="720" w:hanging="360"/></w:pPr></w:lvl></w:abstractNum>
<w:num w:numId="1"><w:abstractNumId w:val="0"/></w:num>)";

std::string part(const char* root, const std::string& body)
{
    return std::string(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") + "\n<w:" + root + " " +
           kNamespace + R"( xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)" + body +
           "</w:" + root + ">";
}

std::string paragraph(const std::string& text, const std::string& properties = "")
{
    return "<w:p>" + (properties.empty() ? "" : "<w:pPr>" + properties + "</w:pPr>") + "<w:r><w:t xml:space=\"preserve\">" +
           text + "</w:t></w:r></w:p>";
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace

void writeWordprocessingML(const std::string& marker, int pages, const std::string& path)
{
    std::string body;
    for (int page = 1; page <= pages; ++page) {
        body += paragraph(marker + " 第" + std::to_string(page) + "节",
                          std::string(page > 1 ? "<w:pageBreakBefore/>" : "") + "<w:pStyle w:val=\"Heading1\"/>");
        if (page == 1)
            for (const char* item : {"甲项", "乙项", "丙项"})
                body += paragraph(marker + item, R"(<w:pStyle w:val="ListParagraph"/><w:numPr><w:ilvl w:val="0"/><w:numId w:val="1"/></w:numPr>)");
        for (int i = 1; i <= 4; ++i)
            body += paragraph(marker + "正文" + std::to_string(page) + "-" + std::to_string(i) +
                              " 这一段由另一种文字处理软件写成，字体、字号和行距都是它自己的默认值。");
    }
    body += R"(<w:sectPr><w:headerReference w:type="default" r:id="rId3"/><w:footerReference w:type="default" r:id="rId4"/>)"
            R"(<w:pgSz w:w="15840" w:h="12240" w:orient="landscape"/>)"
            R"(<w:pgMar w:top="1080" w:right="1080" w:bottom="1080" w:left="1080" w:header="540" w:footer="540" w:gutter="0"/></w:sectPr>)";

    TempDir package("tessaro-wordml");
    ::mkdir(package.file("_rels").c_str(), 0700);
    ::mkdir(package.file("word").c_str(), 0700);
    ::mkdir(package.file("word/_rels").c_str(), 0700);
    writeFile(package.file("[Content_Types].xml"), kContentTypes);
    writeFile(package.file("_rels/.rels"), kPackageRels);
    writeFile(package.file("word/_rels/document.xml.rels"), kDocumentRels);
    writeFile(package.file("word/styles.xml"), part("styles", kStyles));
    writeFile(package.file("word/numbering.xml"), part("numbering", kNumbering));
    writeFile(package.file("word/header1.xml"), part("hdr", paragraph(marker + " 页眉", R"(<w:jc w:val="right"/>)")));
    writeFile(package.file("word/footer1.xml"),
              part("ftr", R"(<w:p><w:pPr><w:jc w:val="center"/></w:pPr><w:r><w:t xml:space="preserve">- </w:t></w:r>)"
                          R"(<w:fldSimple w:instr=" PAGE "><w:r><w:t>1</w:t></w:r></w:fldSimple>)"
                          R"(<w:r><w:t xml:space="preserve"> -</w:t></w:r></w:p>)"));
    writeFile(package.file("word/document.xml"), part("document", "<w:body>" + body + "</w:body>"));
    std::remove(path.c_str());
    run("sh -c \"cd '" + package.path() + "' && zip -q -X -r '" + path + "' '[Content_Types].xml' _rels word\"");
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw std::runtime_error("cannot zip " + path);
}

std::vector<std::string> writeCorpus(Office& office, const std::string& folder)
{
    const std::vector<std::string> paths{folder + "/1-serif.docx",    folder + "/2-wordml.docx", folder + "/3-word97.doc",
                                         folder + "/4-sections.odt",  folder + "/5-table.docx",  folder + "/6-table-only.docx"};
    Look serif;
    serif.font = "DejaVu Serif";
    serif.size = 12;
    serif.headingColor = 0x1F3864;
    serif.list = true;
    serif.footnote = true;
    writeDocument(office, {"一号", 3, true, 0, false, true, false, ""}, paths[0], serif);

    writeWordprocessingML("二号", 2, paths[1]);

    Look word97;
    word97.font = "DejaVu Sans";
    word97.size = 10;
    word97.headingColor = 0xC00000;
    word97.letterLandscape = true;
    writeDocument(office, {"三号", 2, false, 0, true, true, false, ""}, paths[2], word97);

    Look sections;
    sections.size = 14;
    sections.headingColor = 0x7030A0;
    sections.landscapeLast = true;
    sections.list = true;
    writeDocument(office, {"四号", 3, true, 0, false, true, false, ""}, paths[3], sections);

    Look table;
    table.font = "WenQuanYi Micro Hei";
    table.size = 11;
    table.footnote = true;
    writeDocument(office, {"五号", 1, false, 60, false, true, false, ""}, paths[4], table);

    // Nothing but a table, from its first line: inserted, it starts its page with the table.
    writeTableDocument("六号", 80, paths[5]);
    return paths;
}

}  // namespace tessaro::test
