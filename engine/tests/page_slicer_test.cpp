// Page runs cut out of a marked flat ODF document: where each page begins
// inside a paragraph, a list or a table, what the run keeps around it, and
// the page style its first paragraph or table is given back.
#include "engine_error.h"
#include "split/page_slicer.h"
#include "files/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tessaro::test {
namespace {

const char* const kMarked =
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0")"
    R"( xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0")"
    R"( xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0")"
    R"( xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0")"
    R"( xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0")"
    R"( xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" office:version="1.3">)"
    R"(<office:automatic-styles>)"
    R"(<style:style style:name="P1" style:family="paragraph" style:parent-style-name="Standard">)"
    R"(<style:paragraph-properties fo:margin-top="1cm"/></style:style>)"
    R"(<style:style style:name="Table1" style:family="table"><style:table-properties style:width="9cm"/></style:style>)"
    R"(</office:automatic-styles>)"
    R"(<office:master-styles><style:master-page style:name="Standard" style:page-layout-name="pm1"/>)"
    R"(<style:master-page style:name="Wide_20_Page" style:display-name="Wide Page" style:page-layout-name="pm2"/>)"
    R"(</office:master-styles>)"
    R"(<office:body><office:text>)"
    R"(<text:sequence-decls><text:sequence-decl text:display-outline-level="0" text:name="Figure"/></text:sequence-decls>)"
    R"(<draw:frame text:anchor-type="page" text:anchor-page-number="3" draw:name="logo"/>)"
    R"(<text:p text:style-name="P1">one</text:p>)"
    R"(<text:p text:style-name="P1">two <text:span>a<text:bookmark text:name="__tessaro_cut_page_2"/>b</text:span> &amp; end</text:p>)"
    R"(<text:list><text:list-item><text:p>item one</text:p></text:list-item>)"
    R"(<text:list-item><text:p>item <text:soft-page-break/><text:bookmark text:name="__tessaro_cut_page_3"/>two</text:p></text:list-item></text:list>)"
    R"(<table:table table:name="T" table:style-name="Table1"><table:table-column/>)"
    R"(<table:table-header-rows><table:table-row><table:table-cell><text:p>head</text:p></table:table-cell></table:table-row></table:table-header-rows>)"
    R"(<table:table-row><table:table-cell><text:p>r1</text:p></table:table-cell></table:table-row>)"
    R"(<table:table-row><table:table-cell><text:p><text:bookmark text:name="__tessaro_cut_page_4"/>r2</text:p></table:table-cell></table:table-row>)"
    R"(</table:table>)"
    R"(<text:section text:name="S"><text:p><text:bookmark text:name="__tessaro_cut_page_5"/>wide</text:p></text:section>)"
    R"(</office:text></office:body></office:document>)";

class Slices : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::ofstream(dir_.file("marked.fodt")) << kMarked;
        map_.pages = {{"Standard", false, false, 1}, {"Standard", false, true, 2}, {"Standard", false, true, 3},
                      {"Standard", true, false, 4}, {"Wide Page", false, false, 5}};
    }

    std::string slice(int first, int last) { return PageSlicer(dir_.file("marked.fodt"), map_).slice(first, last); }

    static std::string body(const std::string& document)
    {
        const std::string open = "<office:text>";
        const size_t from = document.find(open) + open.size();
        return document.substr(from, document.find("</office:text>") - from);
    }

    TempDir dir_{"tessaro-slicer-test"};
    PageMap map_;
};

const std::string kDecls =
    R"(<text:sequence-decls><text:sequence-decl text:display-outline-level="0" text:name="Figure"/></text:sequence-decls>)";
const std::string kFirst = R"(text:style-name="__tessaro_first")";
const std::string kSliver = R"(<text:p text:style-name="__tessaro_sliver"/>)";

TEST_F(Slices, APageBeginningInsideAParagraphTakesItsRestWithoutIndentOrSpaceAbove)
{
    EXPECT_EQ(body(slice(1, 1)), kDecls + R"(<text:p text:style-name="P1">one</text:p>)"
                                          R"(<text:p text:style-name="P1">two <text:span>a</text:span></text:p>)");
    const std::string second = slice(2, 2);
    EXPECT_EQ(body(second), kDecls + "<text:p " + kFirst + "><text:span>b</text:span> &amp; end</text:p>" +
                                R"(<text:list><text:list-item><text:p>item one</text:p></text:list-item>)"
                                R"(<text:list-item><text:p>item </text:p></text:list-item></text:list>)");
    EXPECT_NE(second.find(R"(<style:style style:name="__tessaro_first" style:family="paragraph" )"
                          R"(style:parent-style-name="Standard" style:master-page-name="Standard">)"
                          R"(<style:paragraph-properties fo:margin-top="0cm" style:page-number="2" fo:text-indent="0cm"/>)"),
              std::string::npos)
        << second;
}

TEST_F(Slices, ATableCutAtARowKeepsItsColumnsAndHeadingRowsAndEndsInASliver)
{
    // The rest of a list item shows no number again; the drawing anchored to
    // page 3 comes along, on the run's first page.
    EXPECT_EQ(body(slice(3, 3)),
              kDecls + R"(<draw:frame text:anchor-type="page" text:anchor-page-number="1" draw:name="logo"/>)" +
                  "<text:list><text:list-header><text:p " + kFirst + ">two</text:p></text:list-header></text:list>" +
                  R"(<table:table table:name="T" table:style-name="Table1"><table:table-column/>)"
                  R"(<table:table-header-rows><table:table-row><table:table-cell><text:p>head</text:p></table:table-cell></table:table-row></table:table-header-rows>)"
                  R"(<table:table-row><table:table-cell><text:p>r1</text:p></table:table-cell></table:table-row></table:table>)" +
                  kSliver);
    // Page 4 ends where a section begins: the section is all page 5's, and
    // page 4 ends with a table.
    const std::string fourth = slice(4, 4);
    EXPECT_EQ(body(fourth),
              kDecls + R"(<table:table table:name="T" )" + R"(table:style-name="__tessaro_first"><table:table-column/>)" +
                  R"(<table:table-header-rows><table:table-row><table:table-cell><text:p>head</text:p></table:table-cell></table:table-row></table:table-header-rows>)"
                  R"(<table:table-row><table:table-cell><text:p>r2</text:p></table:table-cell></table:table-row></table:table>)" +
                  kSliver);
    EXPECT_NE(fourth.find(R"(<style:style style:name="__tessaro_first" style:family="table" style:master-page-name="Standard">)"
                          R"(<style:table-properties style:width="9cm" style:page-number="4"/></style:style>)"),
              std::string::npos)
        << fourth;
}

TEST_F(Slices, APageKeepsItsOwnPageStyleAndRunsOfPagesHoldAllTheirText)
{
    const std::string fifth = slice(5, 5);
    EXPECT_EQ(body(fifth), kDecls + R"(<text:section text:name="S"><text:p )" + kFirst + ">wide</text:p></text:section>");
    EXPECT_NE(fifth.find(R"(style:master-page-name="Wide_20_Page")"), std::string::npos) << fifth;
    EXPECT_NE(fifth.find("<office:master-styles>"), std::string::npos);

    const std::string all = body(slice(1, 5));
    EXPECT_EQ(all.find("__tessaro"), std::string::npos) << "no marks, hints or styles of the cut in the whole";
    EXPECT_EQ(all.find("soft-page-break"), std::string::npos);
    for (const char* text : {"one", "two <text:span>a", "b</text:span> &amp; end", "item one", "head", "r1", "r2", "wide"})
        EXPECT_NE(all.find(text), std::string::npos) << text;
}

TEST_F(Slices, APageBeginningInATableInsideACellTakesTheWholeOuterRow)
{
    std::string marked = kMarked;
    const std::string nested = R"(<text:p>before</text:p><table:table table:name="Outer"><table:table-column/>)"
                             R"(<table:table-row><table:table-cell><text:p>left</text:p></table:table-cell>)"
                             R"(<table:table-cell><table:table table:name="Inner"><table:table-column/>)"
                             R"(<table:table-row><table:table-cell><text:p>i1</text:p></table:table-cell></table:table-row>)"
                             R"(<table:table-row><table:table-cell><text:p><text:bookmark text:name="__tessaro_cut_page_2"/>i2</text:p>)"
                             R"(</table:table-cell></table:table-row></table:table></table:table-cell></table:table-row></table:table>)";
    const size_t from = marked.find("<text:p text:style-name=\"P1\">one");
    marked.replace(from, marked.find("</office:text>") - from, nested);
    std::ofstream(dir_.file("marked.fodt")) << marked;
    map_.pages = {{"Standard", false, false, 1}, {"Standard", true, false, 2}};

    EXPECT_EQ(body(slice(1, 1)), kDecls + "<text:p>before</text:p>");
    const std::string second = body(slice(2, 2));
    EXPECT_EQ(second.find(R"(<table:table table:name="Outer" table:style-name="__tessaro_first">)"), kDecls.size())
        << second;
    for (const char* text : {"left", "i1", "i2"})
        EXPECT_NE(second.find(text), std::string::npos) << text;
}

TEST_F(Slices, ARunKeepsTheAutomaticStylesItsTextAndHeadersNameAndNoOthers)
{
    std::string marked = kMarked;
    auto replace = [&](const std::string& from, const std::string& to) {
        ASSERT_NE(marked.find(from), std::string::npos) << from;
        marked.replace(marked.find(from), from.size(), to);
    };
    replace("<office:automatic-styles>",
            R"(<office:automatic-styles><style:style style:name="T1" style:family="text"/>)"
            R"(<style:style style:name="P2" style:family="paragraph"/>)"
            R"(<style:style style:name="P3" style:family="paragraph" style:list-style-name="L1"/>)"
            R"(<text:list-style style:name="L1"><text:list-level-style-bullet text:level="1" text:style-name="T2"/></text:list-style>)"
            R"(<style:style style:name="T2" style:family="text"/>)"
            R"(<style:style style:name="MP1" style:family="paragraph"/><style:page-layout style:name="pm1"/>)");
    replace(R"(<style:master-page style:name="Standard" style:page-layout-name="pm1"/>)",
            R"(<style:master-page style:name="Standard" style:page-layout-name="pm1">)"
            R"(<style:header><text:p text:style-name="MP1"/></style:header></style:master-page>)");
    replace(">one</text:p>", R"(><text:span text:style-name="T1">one</text:span></text:p>)");
    replace("<text:p>item <text:soft-page-break/>", R"(<text:p text:style-name="P3">item <text:soft-page-break/>)");
    std::ofstream(dir_.file("marked.fodt")) << marked;
    auto kept = [](const std::string& run, const std::vector<std::string>& names) {
        std::string which;
        for (const std::string& name : names)
            if (run.find("style:name=\"" + name + "\"") != std::string::npos)
                which += name + " ";
        return which;
    };
    const std::vector<std::string> all{"T1", "P1", "P2", "L1", "T2", "Table1", "MP1", "pm1"};

    EXPECT_EQ(kept(slice(1, 1), all), "T1 P1 MP1 pm1 ");
    // Page 3 begins in the list paragraph: its style goes to the first-style
    // copy, which still needs the list style and what that names.
    EXPECT_EQ(kept(slice(3, 3), all), "L1 T2 Table1 MP1 pm1 ");
    EXPECT_EQ(kept(slice(5, 5), all), "MP1 pm1 ");
    EXPECT_EQ(kept(slice(1, 5), all), "T1 P1 L1 T2 Table1 MP1 pm1 ");
}

TEST_F(Slices, ALostMarkOrPageStyleIsAnErrorNotAWrongPage)
{
    map_.pages.push_back({"Standard", false, false, 6});
    EXPECT_THROW(slice(6, 6), EngineError);
    map_.pages[4].style = "Nowhere";
    EXPECT_THROW(slice(5, 5), EngineError);
    std::ofstream(dir_.file("marked.fodt")) << "<office:document";
    EXPECT_THROW(slice(1, 1), EngineError);
}

}  // namespace
}  // namespace tessaro::test
