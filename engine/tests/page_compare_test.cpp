// The page comparison the merge and split tests rely on: it must pass a
// document against itself in any format and against its split pages, and
// fail a page whose size, header or font changed.
#include "document/document.h"
#include "fixtures.h"
#include "page_compare.h"
#include "protocol/session.h"
#include "text_look.h"

#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XText.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sys/stat.h>

namespace tessaro::test {
namespace {

class PageCompare : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        session_ = std::make_unique<Session>(std::chrono::seconds(120));
        dir_ = std::make_unique<TempDir>("tessaro-compare-test");
        writeDocument(session_->office(), {"比较", 3, true, 8, true, true, false, ""}, path("source.docx"));
        writeDocument(session_->office(), {"分割", 3, false, 8, true, true, false, ""}, path("pages.docx"));
    }
    static void TearDownTestSuite()
    {
        session_.reset();
        dir_.reset();
    }

    static std::string path(const std::string& name) { return dir_->file(name); }
    static std::vector<PageLook> look(const std::string& document) { return layOut(*session_, document, dir_->path()); }

    // A copy of the source with one thing about its pages changed.
    static std::string changed(const std::string& name,
                               const std::function<void(const Reference<css::beans::XPropertySet>&, const Document&)>& change)
    {
        Document doc = loadDocument(session_->office().desktop(), path("source.docx"), true);
        Reference<css::style::XStyleFamiliesSupplier> families(doc.component(), UNO_QUERY_THROW);
        Reference<css::container::XNameAccess> pages(families->getStyleFamilies()->getByName("PageStyles"),
                                                     UNO_QUERY_THROW);
        change(Reference<css::beans::XPropertySet>(pages->getByName("Standard"), UNO_QUERY_THROW), doc);
        storeDocument(doc, path(name));
        return path(name);
    }

    static std::unique_ptr<Session> session_;
    static std::unique_ptr<TempDir> dir_;
};

std::unique_ptr<Session> PageCompare::session_;
std::unique_ptr<TempDir> PageCompare::dir_;

TEST_F(PageCompare, ADocumentLooksAsItselfInEveryFormatAndAsItsSplitPages)
{
    const auto source = look(path("source.docx"));
    ASSERT_GE(source.size(), 3u);
    for (const char* ext : {"odt", "docx"}) {
        const int doc = session_->open(path("source.docx"), true);
        session_->saveAs(doc, path(std::string("again.") + ext));
        session_->close(doc);
        const auto comparison = comparePages({source}, look(path(std::string("again.") + ext)));
        EXPECT_TRUE(comparison.passed()) << ext << ": " << comparison.report();
    }

    const std::string folder = path("pieces");
    ::mkdir(folder.c_str(), 0700);
    std::vector<std::vector<PageLook>> pieces;
    for (const auto& piece : session_->split(path("pages.docx"), folder, 0))
        pieces.push_back(look(piece));
    const auto comparison = comparePages(pieces, look(path("pages.docx")));
    EXPECT_TRUE(comparison.passed()) << "page numbers aside, split pages are their source pages: "
                                     << comparison.report();
}

TEST_F(PageCompare, AnotherPageSizeHeaderOrFontIsADifferentPage)
{
    const auto source = look(path("source.docx"));
    const std::map<std::string, std::string> changes{
        {changed("landscape.odt",
                 [](const auto& style, const Document&) {
                     const auto width = getProperty(style, "Width");
                     style->setPropertyValue("Width", getProperty(style, "Height"));
                     style->setPropertyValue("Height", width);
                     style->setPropertyValue("IsLandscape", css::uno::Any(true));
                 }),
         "page size"},
        {changed("margin.odt",
                 [](const auto& style, const Document&) {
                     style->setPropertyValue("LeftMargin", css::uno::Any(sal_Int32(3500)));
                 }),
         "pixels"},
        {changed("header.odt",
                 [](const auto& style, const Document&) {
                     Reference<css::text::XText>(style->getPropertyValue("HeaderText"), UNO_QUERY_THROW)
                         ->setString(ou("比较 页頭"));
                 }),
         "text"},
        {changed("font.odt",
                 [](const auto&, const Document& doc) {
                     Reference<css::text::XText> body = doc.text()->getText();
                     Reference<css::text::XTextCursor> cursor = body->createTextCursor();
                     cursor->gotoEnd(true);
                     Reference<css::beans::XPropertySet> all(cursor, UNO_QUERY_THROW);
                     all->setPropertyValue("CharFontName", css::uno::Any(ou("DejaVu Serif")));
                     all->setPropertyValue("CharFontNameAsian", css::uno::Any(ou("WenQuanYi Micro Hei Mono")));
                 }),
         ""},
    };
    for (const auto& [file, reason] : changes) {
        SCOPED_TRACE(file);
        const auto other = look(file);
        ASSERT_FALSE(other.empty());
        const std::string difference = pageDifference(source[0], other[0]);
        EXPECT_NE(difference, "");
        EXPECT_NE(difference.find(reason), std::string::npos) << difference;
    }
}

// Without page breaks only the text and its look are compared: the same
// document saved again keeps both, a colour put on all of its text is named
// with the character it starts at, and a document that is missing is missed.
TEST_F(PageCompare, TextLookHoldsAcrossFormatsAndNamesAnotherColour)
{
    Office& office = session_->office();
    const LookedText source = readTextLook(office, path("source.docx"));
    ASSERT_GT(source.text.size(), 100u);
    const int doc = session_->open(path("source.docx"), true);
    session_->saveAs(doc, path("look-again.odt"));
    session_->close(doc);
    const auto same = compareTextLook({source}, readTextLook(office, path("look-again.odt")));
    EXPECT_TRUE(same.passed()) << same.report();

    const std::string red = changed("red.odt", [](const auto&, const Document& doc) {
        Reference<css::text::XTextCursor> cursor = doc.text()->getText()->createTextCursor();
        cursor->gotoEnd(true);
        Reference<css::beans::XPropertySet>(cursor, UNO_QUERY_THROW)
            ->setPropertyValue("CharColor", css::uno::Any(sal_Int32(0xFF0000)));
    });
    const auto coloured = compareTextLook({source}, readTextLook(office, red));
    EXPECT_EQ(coloured.same, 0);
    ASSERT_EQ(coloured.differences.size(), 1u);
    EXPECT_EQ(coloured.differences[0].rfind("document 1 character 1 ", 0), 0u) << coloured.differences[0];
    EXPECT_NE(coloured.differences[0].find("#FF0000 instead of"), std::string::npos) << coloured.differences[0];

    const auto missing = compareTextLook({source, source}, source);
    EXPECT_EQ(missing.same, 1);
    ASSERT_EQ(missing.differences.size(), 1u);
    EXPECT_EQ(missing.differences[0].rfind("document 2 character 1: text \"\" instead of", 0), 0u)
        << missing.differences[0];
}

}  // namespace
}  // namespace tessaro::test
