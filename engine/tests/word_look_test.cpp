// The Word-side reader and comparison the split and merge tests prove their
// .docx files with: on documents written as Word writes them it must
// resolve what the XML says, catch a damaged package, find a planted
// difference and none where there is none, and catch what LibreOffice's own
// .docx export loses.
#include "files/temp_dir.h"
#include "files/zip_archive.h"
#include "pdf_text.h"
#include "word_corpus/word_corpus.h"
#include "word_look/compare.h"
#include "word_look/integrity.h"
#include "word_look/utf.h"
#include "word_look/word_look.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sys/stat.h>

namespace tessaro::test {
namespace {

class WordLookTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = std::make_unique<TempDir>("tessaro-word-look");
        for (const auto& document : writeWordCorpus(dir_->path()))
            paths_[document.name] = document.path;
    }
    static void TearDownTestSuite()
    {
        looks_.clear();
        dir_.reset();
    }

    static const std::string& path(const std::string& name) { return paths_.at(name); }
    static const WordLook& look(const std::string& name)
    {
        auto found = looks_.find(name);
        if (found == looks_.end())
            found = looks_.emplace(name, readWordLook(path(name))).first;
        return found->second;
    }
    // A copy of a corpus document with `find` replaced by `replace` in one part.
    static std::string planted(const std::string& name, const std::string& part, const std::string& find,
                               const std::string& replace, const std::string& copy)
    {
        ZipArchive zip(path(name));
        std::string xml = zip.read(part);
        const auto at = xml.find(find);
        if (at == std::string::npos)
            throw std::runtime_error(part + " of " + name + " has no " + find);
        zip.replace(part, xml.replace(at, find.size(), replace));
        zip.write(dir_->file(copy));
        return dir_->file(copy);
    }

    static std::unique_ptr<TempDir> dir_;
    static std::map<std::string, std::string> paths_;
    static std::map<std::string, WordLook> looks_;
};

std::unique_ptr<TempDir> WordLookTest::dir_;
std::map<std::string, std::string> WordLookTest::paths_;
std::map<std::string, WordLook> WordLookTest::looks_;

std::string value(const Properties* properties, const std::string& key)
{
    if (!properties)
        return "(text not found)";
    const auto found = properties->find(key);
    return found == properties->end() ? "(none)" : found->second;
}

TEST_F(WordLookTest, CharactersAndParagraphsResolveAsTheirXmlSays)
{
    struct Check {
        const char* document;
        const char* text;  // the character (its first) or paragraph looked at
        const char* key;
        const char* expected;
        Story story = Story::Main;
    };
    const Check characters[] = {
        {"gongwen", "各单位要高度重视", "eastAsia", "仿宋_GB2312"},
        {"gongwen", "各单位要高度重视", "sz", "32"},
        {"gongwen", "总体要求", "eastAsia", "黑体"},
        // The record at the foot names no font: the theme's minor font for zh-CN, through its Hans entry.
        {"gongwen", "抄送：市委", "eastAsia", "宋体"},
        {"themed-report", "本报告汇总了", "eastAsia", "宋体"},
        {"themed-report", "本报告汇总了", "ascii", "Calibri"},
        {"themed-report", "项目概况", "eastAsia", "黑体"},
        {"themed-report", "项目概况", "ascii", "Calibri Light"},
        {"themed-report", "2026年度", "b", "1"},     // a bold character style
        {"themed-report", "序号", "b", "1"},         // the table style's first row
        {"themed-report", "序号", "color", "FFFFFF"},
        {"themed-report", "第2项考核指标", "sz", "18"},
        {"landscape-report", "年度经营分析报告", "color", "1F3864"},
        {"rich", "分三期支付", "revision", "ins 张三"},
        {"rich", "一次性付清", "revision", "del 李四"},
        {"rich", "请勿外传", "eastAsia", "宋体", Story::TextBoxes},
        {"rich", "金额以人民币计", "sz", "18", Story::Footnotes},
    };
    for (const Check& c : characters)
        EXPECT_EQ(value(findCharLook(look(c.document), c.text, c.story), c.key), c.expected)
            << c.document << " 「" << c.text << "」 " << c.key;

    const Check paragraphs[] = {
        {"gongwen", "各单位要高度重视", "ind.firstLineChars", "200"},
        {"gongwen", "各单位要高度重视", "ind.firstLine", "640"},
        {"gongwen", "各区人民政府", "ind.firstLineChars", "0"},
        {"gongwen", "某某市人民政府办公厅", "ind.rightChars", "400"},
        {"gongwen", "某某市人民政府办公厅", "jc", "right"},
        {"themed-report", "第1项工作", "ind.left", "420"},
        {"themed-report", "第1项工作", "ind.hanging", "420"},
        {"themed-report", "第1项工作", "ind.firstLineChars", "0"},
        {"themed-report", "项目概况", "spacing.before", "340"},
        {"themed-report", "序号", "jc", "center"},
        {"landscape-report", "二〇二六年十一月", "jc", "center"},
    };
    for (const Check& c : paragraphs) {
        const WordParagraph* p = findParagraph(look(c.document), c.text, c.story);
        ASSERT_NE(p, nullptr) << c.document << " 「" << c.text << "」";
        EXPECT_EQ(value(&p->look, c.key), c.expected) << c.document << " 「" << c.text << "」 " << c.key;
    }

    // Labels as Word counts them: the list runs on over the page break, the
    // restarted one starts again, the headings count in Chinese.
    const std::pair<const char*, const char*> labels[] = {
        {"第1项工作", "1."},  {"第5项工作", "5."},  {"第12项工作", "12."},
        {"后续措施1", "1."}, {"后续措施3", "3."}, {"项目概况", "一、"}, {"后续安排", "三、"}};
    for (const auto& [text, label] : labels) {
        const WordParagraph* p = findParagraph(look("themed-report"), text);
        ASSERT_NE(p, nullptr) << text;
        EXPECT_EQ(p->label, label) << text;
    }
    // Other tools' documents, where the tools are installed: python-docx's
    // template asks for Japanese theme fonts, pandoc restarts every list.
    const std::tuple<const char*, const char*, const char*, const char*> others[] = {
        {"python-docx", "季度工作简报", "eastAsia", "ＭＳ ゴシック"},
        {"python-docx", "这是由程序写成", "eastAsia", "宋体"},
        {"python-docx", "加粗倾斜", "b", "1"},
    };
    for (const auto& [document, text, key, expected] : others) {
        if (paths_.count(document)) {
            EXPECT_EQ(value(findCharLook(look(document), text), key), expected) << document << " 「" << text << "」";
        }
    }
    if (paths_.count("python-docx")) {
        EXPECT_EQ(findParagraph(look("python-docx"), "编号条目2-3")->label, "6.");
    }
    if (paths_.count("pandoc")) {
        EXPECT_EQ(findParagraph(look("pandoc"), "要点2-1")->label, "1.");
        EXPECT_NE(findParagraph(look("pandoc"), "1 第1章的注释1", Story::Footnotes), nullptr);
    }
    // Note references show the section's enclosed numbers, the notes in the order they are referenced.
    EXPECT_NE(findParagraph(look("rich"), "合同价款为人民币壹佰万元整③"), nullptr);
    EXPECT_NE(findParagraph(look("rich"), "⑥ 争议提交", Story::Footnotes), nullptr);
}

TEST_F(WordLookTest, SectionsSettingsThemeAndContentControlsAreRead)
{
    struct Check {
        const char* document;
        const char* key;
        const char* expected;
        int section = 0;
    };
    const Check sections[] = {
        {"gongwen", "docGrid.type", "linesAndChars"}, {"gongwen", "docGrid.linePitch", "579"},
        {"gongwen", "docGrid.charSpace", "-849"},     {"gongwen", "pgSz.w", "11906"},
        {"landscape-report", "pgSz.orient", "landscape"}, {"landscape-report", "pgMar.header", "567"},
        {"landscape-report", "titlePg", "1"},         {"landscape-report", "pgNumType.fmt", "upperRoman", 1},
        {"landscape-report", "pgSz.w", "12240", 1},
    };
    for (const Check& c : sections)
        EXPECT_EQ(value(&look(c.document).sections.at(static_cast<size_t>(c.section)).look, c.key), c.expected)
            << c.document << " section " << c.section + 1 << " " << c.key;

    const WordLook& landscape = look("landscape-report");
    ASSERT_EQ(landscape.sections.size(), 2u);
    const WordSection& report = landscape.sections[0];
    EXPECT_EQ(report.shownHeader(true, 1, true), "年度经营分析报告（封面）");
    EXPECT_EQ(report.shownHeader(false, 2, true), "年度经营分析报告 — 偶数页");
    EXPECT_EQ(report.shownHeader(false, 3, true), "年度经营分析报告 — 正文");
    EXPECT_EQ(report.shownFooter(false, 3, true), "第 {PAGE} 页 共 {NUMPAGES} 页");
    // The appendix names its own header and inherits the footers.
    EXPECT_EQ(landscape.sections[1].shownHeader(false, 1, true), "附录");
    EXPECT_EQ(landscape.sections[1].shownFooter(false, 1, true), "第 {PAGE} 页 共 {NUMPAGES} 页");
    EXPECT_EQ(look("gongwen").sections[0].shownFooter(false, 2, false), "— {PAGE} —");

    const Check settings[] = {
        {"gongwen", "compat.useFELayout", "1"},         {"gongwen", "compat.compatibilityMode", "14"},
        {"gongwen", "compat.doNotExpandShiftReturn", "1"}, {"themed-report", "compat.compatibilityMode", "15"},
        {"landscape-report", "evenAndOddHeaders", "1"}, {"themed-report", "themeFontLang.eastAsia", "zh-CN"},
    };
    for (const Check& c : settings)
        EXPECT_EQ(value(&look(c.document).settings, c.key), c.expected) << c.document << " " << c.key;
    EXPECT_EQ(value(&look("themed-report").theme, "major.script.Hans"), "黑体");
    EXPECT_EQ(value(&look("gongwen").theme, "minor.script.Jpan"), "ＭＳ 明朝");

    std::map<std::string, const ContentControl*> controls;
    for (const auto& c : look("rich").controls)
        controls[value(&c.look, "tag")] = &c;
    const std::tuple<const char*, const char*, const char*, const char*> expected[] = {
        {"projectName", "type", "text", "智慧园区建设项目"},
        {"projectName", "lock", "sdtLocked", "智慧园区建设项目"},
        {"signDate", "date.format", "yyyy'年'M'月'd'日'", "2026年11月2日"},
        {"secrecy", "items", "公开=公开|内部=内部|秘密=秘密|", "内部"},
        {"reviewed", "checked", "1", "☒"},
        {"summary", "type", "richText", "合同摘要：甲乙双方就园区建设达成如下约定。\n本摘要不构成合同条款。"},
    };
    for (const auto& [tag, key, property, text] : expected) {
        ASSERT_TRUE(controls.count(tag)) << tag;
        EXPECT_EQ(value(&controls[tag]->look, key), property) << tag;
        EXPECT_EQ(toUtf8(controls[tag]->text), text) << tag;
    }
}

TEST_F(WordLookTest, IntegrityCatchesWhatWordWouldRefuse)
{
    for (const auto& [name, file] : paths_)
        EXPECT_EQ(checkIntegrity(file), std::vector<std::string>{}) << name;

    struct Plant {
        const char* document;
        const char* part;
        const char* find;
        const char* replace;
        const char* reported;
    };
    const Plant plants[] = {
        // -6145 written as unsigned, as LibreOffice once wrote a text grid.
        {"gongwen", "word/document.xml", "w:charSpace=\"-849\"", "w:charSpace=\"4294961151\"", "-6145 written as unsigned"},
        {"gongwen", "word/document.xml", "<w:footerReference w:type=\"default\" r:id=\"", "<w:footerReference w:type=\"default\" r:id=\"rId99",
         "names no relationship"},
        {"gongwen", "word/_rels/document.xml.rels", "Target=\"footer1.xml\"", "Target=\"footer9.xml\"", "not in the package"},
        {"rich", "[Content_Types].xml", "PartName=\"/word/media/image1.png\"", "PartName=\"/word/media/image0.png\"",
         "has no content type"},
        {"gongwen", "word/styles.xml", "</w:styles>", "", "not well-formed"},
    };
    int copy = 0;
    for (const Plant& p : plants) {
        const auto problems = checkIntegrity(planted(p.document, p.part, p.find, p.replace, "bad" + std::to_string(++copy) + ".docx"));
        ASSERT_FALSE(problems.empty()) << p.reported;
        EXPECT_NE(problems.front().find(p.reported), std::string::npos) << problems.front();
    }
}

TEST_F(WordLookTest, ComparisonFindsPlantedDifferencesAndNoneWhereThereAreNone)
{
    for (const auto& [name, file] : paths_) {
        const WordComparison same = compareDocuments(look(name), look(name));
        EXPECT_TRUE(same.alike()) << name << ": " << same.report();
        EXPECT_GT(same.characters, 500) << name;
    }

    // One run set in another font.
    const std::string run = "<w:r><w:t xml:space=\"preserve\">各区人民政府";
    const WordComparison font = compareDocumentFiles(
        path("gongwen"), planted("gongwen", "word/document.xml", run,
                                 "<w:r><w:rPr><w:rFonts w:eastAsia=\"ＭＳ 明朝\"/></w:rPr><w:t xml:space=\"preserve\">各区人民政府",
                                 "font.docx"));
    ASSERT_EQ(font.differences.size(), 1u) << font.report();
    EXPECT_EQ(font.differences[0].property, "eastAsia");
    EXPECT_EQ(font.differences[0].expected, "仿宋_GB2312");
    EXPECT_EQ(font.differences[0].got, "ＭＳ 明朝");
    EXPECT_NE(font.differences[0].where.find("「各」"), std::string::npos) << font.differences[0].where;
    EXPECT_EQ(font.counts.at("eastAsia"), 23);  // every character of the run

    // Page 2 of the themed report cut out as a page file: its list must go on at 5.
    ZipArchive zip(path("themed-report"));
    const std::string document = zip.read("word/document.xml");
    const auto first = document.rfind("<w:p>", document.find("第5项工作"));
    const auto last = document.find("</w:p>", document.find("第12项工作")) + 6;
    const auto sectPr = document.find("<w:sectPr>");
    std::string page = document.substr(0, document.find("<w:body>") + 8) + document.substr(first, last - first) +
                       document.substr(sectPr);
    zip.replace("word/document.xml", page);
    zip.write(dir_->file("restarted.docx"));
    const WordComparison restarted = comparePage(look("themed-report"), readWordLook(dir_->file("restarted.docx")));
    EXPECT_TRUE(restarted.differs("label")) << restarted.report();
    EXPECT_EQ(restarted.differences.at(0).expected, "5.");
    EXPECT_EQ(restarted.differences.at(0).got, "1.");

    std::string numbering = zip.read("word/numbering.xml");
    numbering.insert(numbering.find("</w:numbering>"),
                     R"(<w:num w:numId="9"><w:abstractNumId w:val="0"/><w:lvlOverride w:ilvl="0"><w:startOverride w:val="5"/></w:lvlOverride></w:num>)");
    for (size_t at = page.find("<w:numId w:val=\"1\"/>"); at != std::string::npos; at = page.find("<w:numId w:val=\"1\"/>", at))
        page.replace(at, 20, "<w:numId w:val=\"9\"/>");
    zip.replace("word/numbering.xml", numbering);
    zip.replace("word/document.xml", page);
    zip.write(dir_->file("continued.docx"));
    const WordComparison continued = comparePageFiles(path("themed-report"), dir_->file("continued.docx"));
    EXPECT_TRUE(continued.alike()) << continued.report();
    EXPECT_EQ(continued.paragraphs, 8);
}

TEST_F(WordLookTest, MergedDocumentsAreComparedInputByInput)
{
    // The 公文 twice, joined as a merge keeping each document's format: the
    // first one's body closes its own section, the second's numbers its
    // pages from 1 as it did alone.
    ZipArchive zip(path("gongwen"));
    const std::string document = zip.read("word/document.xml");
    const auto body = document.find("<w:body>") + 8, sectPr = document.find("<w:sectPr>");
    const auto end = document.find("</w:body>");
    const std::string content = document.substr(body, sectPr - body), section = document.substr(sectPr, end - sectPr);
    auto join = [&](const std::string& secondSection, const char* name) {
        zip.replace("word/document.xml", document.substr(0, body) + content + "<w:p><w:pPr>" + section + "</w:pPr></w:p>" +
                                             content + secondSection + document.substr(end));
        zip.write(dir_->file(name));
        return compareMergedFiles({path("gongwen"), path("gongwen")}, dir_->file(name), true);
    };
    std::string restarted = section;
    restarted.insert(restarted.find("<w:cols"), "<w:pgNumType w:start=\"1\"/>");
    const WordComparison merged = join(restarted, "merged.docx");
    EXPECT_TRUE(merged.alike()) << merged.report();
    EXPECT_EQ(merged.sections, 2);

    std::string regridded = restarted;
    regridded.replace(regridded.find("-849"), 4, "3071");
    const WordComparison grid = join(regridded, "regridded.docx");
    EXPECT_TRUE(grid.differs("section.docGrid.charSpace")) << grid.report();
    EXPECT_EQ(grid.counts.size(), 1u) << grid.report();
}

// LibreOffice's own open and save as .docx, in a profile of the test's own:
// what it loses of a 公文 (a text grid Word fills otherwise, East Asian line
// breaking, indents in characters) is what the split and the merge must keep.
TEST_F(WordLookTest, LibreOfficeRoundTripLosesWhatWordShows)
{
    const std::string program = std::string(TESSARO_SOFFICE_BIN);
    const std::string soffice = program.substr(0, program.rfind('/')) + "/soffice";
    const std::string out = dir_->file("lo");
    ::mkdir(out.c_str(), 0700);
    run("env -u DISPLAY SAL_USE_VCLPLUGIN=svp '" + soffice + "' -env:UserInstallation=file://" + dir_->file("profile") +
            " --headless --norestore --convert-to 'docx:MS Word 2007 XML' --outdir '" + out + "' '" + path("gongwen") +
            "' >/dev/null 2>&1",
        300);
    const WordComparison roundTrip = compareDocumentFiles(path("gongwen"), out + "/gongwen.docx");
    const std::pair<const char*, const char*> losses[] = {{"section.docGrid.charSpace", "-849"},
                                                         {"settings.compat.useFELayout", "1"},
                                                         {"ind.firstLineChars", "200"}};
    for (const auto& [property, source] : losses) {
        ASSERT_TRUE(roundTrip.differs(property)) << property << "\n" << roundTrip.report(60);
        for (const auto& d : roundTrip.differences)
            if (d.property == property) {
                EXPECT_EQ(d.expected, source) << d.where;
            }
    }
    EXPECT_EQ(roundTrip.counts.count("text"), 0u) << roundTrip.report(60);
}

}  // namespace
}  // namespace tessaro::test
