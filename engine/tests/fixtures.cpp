#include "fixtures.h"

#include "document/document.h"
#include "stored_zip.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/XStyle.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XDocumentIndex.hpp>
#include <com/sun/star/text/PageNumberType.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/XTextTable.hpp>

#include <cstdint>
#include <fstream>
#include <vector>

namespace tessaro::test {

namespace {

const char* const kChinese =
    "本段落用于检验按页分割是否准确：中文文本在页面末尾断开，段落跨越两页时，每一页的文件只能包含该页上的文字。"
    "分割工具必须保证每个输出文件恰好一页，内容与原文档的那一页完全相同，不多一个字，也不少一个字。";

// A 64x48 24-bit BMP with a colour gradient; small but a real picture.
std::string bitmap()
{
    const int width = 64, height = 48, row = width * 3;
    const int size = 54 + row * height;
    std::string bmp(static_cast<size_t>(size), '\0');
    auto put32 = [&](int at, int value) {
        for (int i = 0; i < 4; ++i)
            bmp[static_cast<size_t>(at + i)] = static_cast<char>((value >> (8 * i)) & 0xff);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    bmp[26] = 1;
    bmp[28] = 24;
    put32(34, row * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t at = static_cast<size_t>(54 + y * row + x * 3);
            bmp[at] = static_cast<char>(x * 4);
            bmp[at + 1] = static_cast<char>(y * 5);
            bmp[at + 2] = static_cast<char>(200);
        }
    return bmp;
}

class Writer {
public:
    Writer(Office& office, const Document& doc)
        : office_(office), doc_(doc), text_(doc.text()->getText()), cursor_(text_->createTextCursor()),
          factory_(doc.component(), UNO_QUERY_THROW)
    {
        cursor_->gotoEnd(false);
    }

    void paragraph(const std::string& content, const char* style = "Standard")
    {
        setProperty(cursor_, "ParaStyleName", css::uno::Any(rtl::OUString::createFromAscii(style)));
        text_->insertString(range(), ou(content), false);
        text_->insertControlCharacter(range(), css::text::ControlCharacter::PARAGRAPH_BREAK, false);
        setProperty(cursor_, "ParaStyleName", css::uno::Any(rtl::OUString("Standard")));
    }

    void pageBreak() { setProperty(cursor_, "BreakType", css::uno::Any(css::style::BreakType_PAGE_BEFORE)); }
    void noBreak() { setProperty(cursor_, "BreakType", css::uno::Any(css::style::BreakType_NONE)); }

    void table(const std::string& marker, int rows)
    {
        Reference<css::text::XTextTable> table(factory_->createInstance("com.sun.star.text.TextTable"),
                                               UNO_QUERY_THROW);
        table->initialize(rows, 3);
        text_->insertTextContent(range(), Reference<css::text::XTextContent>(table, UNO_QUERY_THROW), false);
        setProperty(table, "RepeatHeadline", css::uno::Any(true));
        setProperty(table, "HeaderRowCount", css::uno::Any(sal_Int32(1)));
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 3; ++c) {
                const std::string name = std::string(1, char('A' + c)) + std::to_string(r + 1);
                const std::string value = r == 0 ? "表头" + std::to_string(c + 1)
                                                 : marker + "行" + std::to_string(r) + "列" + std::to_string(c + 1);
                Reference<css::text::XText>(table->getCellByName(ou(name)), UNO_QUERY_THROW)->setString(ou(value));
            }
        cursor_->gotoEnd(false);
    }

    void picture(const std::string& folder)
    {
        const std::string path = folder + "/picture.bmp";
        std::ofstream(path, std::ios::binary) << bitmap();
        Reference<css::graphic::XGraphicProvider> provider = css::graphic::GraphicProvider::create(office_.context());
        Reference<css::graphic::XGraphic> graphic =
            provider->queryGraphic(props({prop("URL", css::uno::Any(fileUrl(path)))}));
        Reference<css::text::XTextContent> object(factory_->createInstance("com.sun.star.text.TextGraphicObject"),
                                                  UNO_QUERY_THROW);
        setProperty(object, "Graphic", css::uno::Any(graphic));
        setProperty(object, "AnchorType", css::uno::Any(css::text::TextContentAnchorType_AS_CHARACTER));
        setProperty(object, "Width", css::uno::Any(sal_Int32(4000)));
        setProperty(object, "Height", css::uno::Any(sal_Int32(3000)));
        text_->insertTextContent(range(), object, false);
        text_->insertControlCharacter(range(), css::text::ControlCharacter::PARAGRAPH_BREAK, false);
    }

    void toc()
    {
        Reference<css::text::XTextContent> index(factory_->createInstance("com.sun.star.text.ContentIndex"),
                                                 UNO_QUERY_THROW);
        setProperty(index, "CreateFromOutline", css::uno::Any(true));
        text_->insertTextContent(range(), index, false);
        cursor_->gotoEnd(false);
        toc_ = index;
    }

    void headerFooter(const std::string& marker)
    {
        Reference<css::style::XStyleFamiliesSupplier> families(doc_.component(), UNO_QUERY_THROW);
        Reference<css::container::XNameAccess> pages(families->getStyleFamilies()->getByName("PageStyles"),
                                                     UNO_QUERY_THROW);
        Reference<css::beans::XPropertySet> style(pages->getByName("Standard"), UNO_QUERY_THROW);
        style->setPropertyValue("HeaderIsOn", css::uno::Any(true));
        style->setPropertyValue("FooterIsOn", css::uno::Any(true));
        Reference<css::text::XText> header(style->getPropertyValue("HeaderText"), UNO_QUERY_THROW);
        header->setString(ou(marker + " 页眉"));
        Reference<css::text::XText> footer(style->getPropertyValue("FooterText"), UNO_QUERY_THROW);
        footer->setString(ou("第 "));
        Reference<css::text::XTextContent> number(factory_->createInstance("com.sun.star.text.TextField.PageNumber"),
                                                  UNO_QUERY_THROW);
        setProperty(number, "NumberingType", css::uno::Any(sal_Int16(4)));  // ARABIC
        setProperty(number, "SubType", css::uno::Any(css::text::PageNumberType_CURRENT));
        footer->insertTextContent(footer->getEnd(), number, false);
        footer->insertString(footer->getEnd(), ou(" 页"), false);
    }

    // The body's font and size, and a "Heading 1" of its own colour.
    void look(const Look& wanted)
    {
        if (!wanted.font.empty())
            for (const char* name : {"CharFontName", "CharFontNameAsian"})
                setProperty(style("ParagraphStyles", "Standard"), name, css::uno::Any(ou(wanted.font)));
        const float size = wanted.size > 0 ? wanted.size : 12;
        if (wanted.size > 0)
            for (const char* name : {"CharHeight", "CharHeightAsian"})
                setProperty(style("ParagraphStyles", "Standard"), name, css::uno::Any(size));
        if (wanted.headingColor >= 0) {
            const auto heading = style("ParagraphStyles", "Heading 1");
            setProperty(heading, "CharColor", css::uno::Any(sal_Int32(wanted.headingColor)));
            for (const char* name : {"CharHeight", "CharHeightAsian"})
                setProperty(heading, name, css::uno::Any(size * 1.75f));
        }
        if (wanted.letterLandscape) {
            const auto page = style("PageStyles", "Standard");
            setProperty(page, "Width", css::uno::Any(sal_Int32(27940)));
            setProperty(page, "Height", css::uno::Any(sal_Int32(21590)));
            setProperty(page, "IsLandscape", css::uno::Any(true));
        }
    }

    // A landscape page style with a header of its own, for a section that turns the page.
    void landscapeStyle(const std::string& marker)
    {
        Reference<css::style::XStyle> page(factory_->createInstance("com.sun.star.style.PageStyle"), UNO_QUERY_THROW);
        families("PageStyles")->insertByName(ou("横向页面"), css::uno::Any(page));
        const auto portrait = style("PageStyles", "Standard");
        setProperty(page, "Width", getProperty(portrait, "Height"));
        setProperty(page, "Height", getProperty(portrait, "Width"));
        setProperty(page, "IsLandscape", css::uno::Any(true));
        setProperty(page, "HeaderIsOn", css::uno::Any(true));
        Reference<css::text::XText>(getProperty(page, "HeaderText"), UNO_QUERY_THROW)->setString(ou(marker + " 横向页眉"));
    }

    void landscapeBreak() { setProperty(cursor_, "PageDescName", css::uno::Any(ou("横向页面"))); }

    void list(const std::string& marker)
    {
        setProperty(cursor_, "NumberingStyleName", css::uno::Any(rtl::OUString("Numbering 123")));
        for (const char* item : {"第一项", "第二项", "第三项"})
            paragraph(marker + item);
        setProperty(cursor_, "NumberingStyleName", css::uno::Any(rtl::OUString()));
    }

    void footnote(const std::string& marker)
    {
        Reference<css::text::XTextContent> note(factory_->createInstance("com.sun.star.text.Footnote"), UNO_QUERY_THROW);
        text_->insertTextContent(range(), note, false);
        Reference<css::text::XText>(note, UNO_QUERY_THROW)->setString(ou(marker + " 脚注"));
        cursor_->gotoEnd(false);
    }

    void finish()
    {
        if (toc_.is())
            updateIndex(css::uno::Any(toc_));
    }

private:
    Reference<css::container::XNameContainer> families(const char* family) const
    {
        Reference<css::style::XStyleFamiliesSupplier> supplier(doc_.component(), UNO_QUERY_THROW);
        return Reference<css::container::XNameContainer>(supplier->getStyleFamilies()->getByName(ou(family)),
                                                         UNO_QUERY_THROW);
    }
    Reference<css::beans::XPropertySet> style(const char* family, const char* name) const
    {
        return Reference<css::beans::XPropertySet>(families(family)->getByName(ou(name)), UNO_QUERY_THROW);
    }

    Reference<css::text::XTextRange> range() const { return Reference<css::text::XTextRange>(cursor_, UNO_QUERY_THROW); }

    Office& office_;
    const Document& doc_;
    Reference<css::text::XText> text_;
    Reference<css::text::XTextCursor> cursor_;
    Reference<css::lang::XMultiServiceFactory> factory_;
    Reference<css::text::XTextContent> toc_;
};

}  // namespace

void writeDocument(Office& office, const Content& content, const std::string& path, const Look& look)
{
    Document doc = newDocument(office.desktop());
    Writer writer(office, doc);
    writer.look(look);
    if (content.headerFooter)
        writer.headerFooter(content.marker);
    if (look.landscapeLast)
        writer.landscapeStyle(content.marker);
    if (content.toc)
        writer.toc();
    for (int block = 1; block <= content.blocks; ++block) {
        if (block > 1 && look.landscapeLast && block == content.blocks)
            writer.landscapeBreak();
        else if (block > 1)
            writer.pageBreak();
        const std::string title = content.marker + " 第" + std::to_string(block) + "节";
        writer.paragraph(title, content.toc || look.headingColor >= 0 ? "Heading 1" : "Standard");
        writer.noBreak();
        if (look.footnote && block == 1)
            writer.footnote(content.marker);
        if (look.list && block == 1)
            writer.list(content.marker);
        if (content.chinese)
            for (int i = 0; i < 6; ++i)
                writer.paragraph(content.marker + "段" + std::to_string(block) + "-" + std::to_string(i) + " " +
                                 kChinese + kChinese);
        if (content.picture && block == 1)
            writer.picture(path.substr(0, path.rfind('/')));
        if (content.tableRows > 0 && block == 1) {
            writer.table(content.marker, content.tableRows);
            writer.paragraph(content.marker + " 表格之后的段落");
        }
    }
    writer.finish();

    Reference<css::frame::XStorable> storable(doc.component(), UNO_QUERY_THROW);
    std::vector<css::beans::PropertyValue> args{prop("FilterName", css::uno::Any(ou(filterForPath(path)))),
                                                prop("Overwrite", css::uno::Any(true))};
    if (!content.password.empty())
        args.push_back(prop("Password", css::uno::Any(ou(content.password))));
    storable->storeToURL(fileUrl(path), css::uno::Sequence<css::beans::PropertyValue>(
                                            args.data(), static_cast<sal_Int32>(args.size())));
}

void writeTableDocument(const std::string& marker, int rows, const std::string& path)
{
    std::string table = "<w:tbl><w:tblPr><w:tblW w:w=\"9000\" w:type=\"dxa\"/></w:tblPr><w:tblGrid>"
                        "<w:gridCol w:w=\"3000\"/><w:gridCol w:w=\"3000\"/><w:gridCol w:w=\"3000\"/></w:tblGrid>";
    for (int r = 1; r <= rows; ++r) {
        table += "<w:tr>";
        for (int c = 1; c <= 3; ++c)
            table += "<w:tc><w:p><w:r><w:t>" + marker + "行" + std::to_string(r) + "列" + std::to_string(c) +
                     "</w:t></w:r></w:p></w:tc>";
        table += "</w:tr>";
    }
    table += "</w:tbl>";
    const std::string document =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>" +
        table +
        "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1440\" w:right=\"1440\" "
        "w:bottom=\"1440\" w:left=\"1440\" w:header=\"720\" w:footer=\"720\" w:gutter=\"0\"/></w:sectPr>"
        "</w:body></w:document>";
    const std::string types =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/word/document.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>";
    const std::string relations =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
        "Target=\"word/document.xml\"/></Relationships>";
    std::ofstream(path, std::ios::binary)
        << storedZip({{"[Content_Types].xml", types}, {"_rels/.rels", relations}, {"word/document.xml", document}});
}

void writeTruncated(const std::string& source, const std::string& path)
{
    std::ifstream in(source, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(path, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
}

void writeGarbage(const std::string& path)
{
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 7919 + 13) % 251);
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace tessaro::test
