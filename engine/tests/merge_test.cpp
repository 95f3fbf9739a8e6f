// Merges of documents made by different tools, each with its own look,
// proven on the saved file: reopened, it has the pages that were counted and
// each page looks as it does in its source.
#include "fixtures.h"
#include "page_compare.h"
#include "pdf_text.h"
#include "protocol/session.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>

namespace tessaro::test {
namespace {

class Merge : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        session_ = std::make_unique<Session>(std::chrono::seconds(120));
        dir_ = std::make_unique<TempDir>("tessaro-merge-test");
        try {
            corpus_ = writeCorpus(session_->office(), dir_->path());
        } catch (const css::uno::Exception& e) {
            FAIL() << "corpus: " << utf8(e.Message);
        }
        for (const auto& document : corpus_)
            sources_.push_back(look(document));
    }
    static void TearDownTestSuite()
    {
        session_.reset();
        dir_.reset();
    }

    static std::string path(const std::string& name) { return dir_->file(name); }
    static std::vector<PageLook> look(const std::string& document) { return layOut(*session_, document, dir_->path()); }

    // The program's calls: the first document opened, each other one opened
    // on its own and closed, then inserted at the end, after a page break
    // when each document keeps its format. Returns the count the user is told.
    static int merge(const std::vector<std::string>& inputs, const std::string& out, bool breaks)
    {
        Session& session = *session_;
        const int doc = session.open(inputs[0], true);
        for (size_t i = 1; i < inputs.size(); ++i) {
            session.close(session.open(inputs[i], true));
            session.endKey(doc);
            if (breaks)
                session.insertBreak(doc);
            session.insertFile(doc, inputs[i]);
        }
        const int pages = session.pageCount(doc);
        session.updateFields(doc);
        session.saveAs(doc, out);
        session.close(doc);
        return pages;
    }

    // The rows of every table in the file, opened again: a table that came
    // apart into loose paragraphs has none.
    static int tableRows(const std::string& document)
    {
        Document doc = loadDocument(session_->office().desktop(), document, true);
        Reference<css::text::XTextTablesSupplier> supplier(doc.component(), UNO_QUERY_THROW);
        Reference<css::container::XIndexAccess> tables(supplier->getTextTables(), UNO_QUERY_THROW);
        int rows = 0;
        for (sal_Int32 i = 0; i < tables->getCount(); ++i)
            rows += Reference<css::text::XTextTable>(tables->getByIndex(i), UNO_QUERY_THROW)->getRows()->getCount();
        return rows;
    }
    static void expectTablesOfSources(const std::vector<std::string>& sources, const std::string& out)
    {
        int rows = 0;
        for (const auto& source : sources)
            rows += tableRows(source);
        EXPECT_EQ(tableRows(out), rows) << out << ": table rows lost";
    }

    // A difference naming `known` (a page) is one the merge does not cause.
    static void expectPagesOfSources(const std::vector<std::vector<PageLook>>& sources, const std::string& out,
                                     int counted, const std::string& known = "")
    {
        const auto result = look(out);
        const auto comparison = comparePages(sources, result);
        const bool onlyKnown = std::all_of(comparison.differences.begin(), comparison.differences.end(), [&](const auto& d) {
            return !known.empty() && d.find(known) != std::string::npos;
        });
        EXPECT_TRUE(onlyKnown) << out << ": " << comparison.report();
        EXPECT_EQ(int(result.size()), counted) << out << ": the count told is not the saved file's";
    }

    static std::unique_ptr<Session> session_;
    static std::unique_ptr<TempDir> dir_;
    static std::vector<std::string> corpus_;
    static std::vector<std::vector<PageLook>> sources_;
};

std::unique_ptr<Session> Merge::session_;
std::unique_ptr<TempDir> Merge::dir_;
std::vector<std::string> Merge::corpus_;
std::vector<std::vector<PageLook>> Merge::sources_;

TEST_F(Merge, EveryPageLooksAsInItsSourceAndTheCountIsTheSavedFile)
{
    const std::string out = path("merged.odt");
    expectPagesOfSources(sources_, out, merge(corpus_, out, true));
    expectTablesOfSources(corpus_, out);
}

// Each page looks as its source does saved alone in the same format, and
// the Word export changes no document's pages: saved alone, each has the
// pages it has in its own format (Chinese text with hanging punctuation came
// back without it as .docx and gained pages).
TEST_F(Merge, InWordFormatsEveryPageLooksAsItsSourceSavedAlone)
{
    for (const std::string ext : {"doc", "docx"}) {
        SCOPED_TRACE(ext);
        std::vector<std::vector<PageLook>> alone;
        for (const auto& copy : savedAlone(*session_, corpus_, ext, dir_->path())) {
            alone.push_back(look(copy));
            EXPECT_EQ(alone.back().size(), sources_[alone.size() - 1].size()) << copy << ": saving changed its pages";
        }
        // The fifth document's footnote is numbered on from the first one's, as
        // Word numbers footnotes through a document (so it is in .odt too); and
        // the office's .docx import draws no separator line over the footnotes
        // of any section after the first that has some.
        const std::string out = path("merged." + ext);
        expectPagesOfSources(alone, out, merge(corpus_, out, true), ext == "docx" ? "(document 5 page 1)" : "");
        expectTablesOfSources(corpus_, out);
    }
}

// RTF keeps less of a document's look than the other formats (its pages are
// not held to their sources), but what was counted is what the file has: an
// inserted document's text once came back on its side, on 55 pages of 14.
TEST_F(Merge, AsRtfTheSavedFileHasThePagesCounted)
{
    const std::string out = path("merged.rtf");
    const int counted = merge(corpus_, out, true);
    EXPECT_EQ(int(look(out).size()), counted);
}

TEST_F(Merge, TheEngineCommandLineGivesTheSamePages)
{
    std::string command = std::string(TESSARO_ENGINE_BINARY) + " merge --no-update '" + path("command.odt") + "'";
    for (const auto& input : corpus_)
        command += " '" + input + "'";
    const std::string said = run(command, 300);
    const auto colon = said.rfind(": ");
    ASSERT_NE(colon, std::string::npos) << said;
    expectPagesOfSources(sources_, path("command.odt"), std::atoi(said.c_str() + colon + 2));
}

// The corpus's first document ends on an odd page, so the next one, which
// numbers its pages from 1, is laid out after a blank page: a page
// LibreOffice lays out and never prints, which is no page of the result.
// Each page file shows the page number its page shows in the result.
TEST_F(Merge, AMergedResultSplitsIntoThePagesItPrints)
{
    const std::string merged = path("to-split.odt");
    const int counted = merge(corpus_, merged, true);
    const auto pages = look(merged);
    ASSERT_EQ(int(pages.size()), counted);
    const std::string folder = merged + "-pages";
    ::mkdir(folder.c_str(), 0700);
    const auto pieces = session_->split(merged, folder, 0);
    ASSERT_EQ(int(pieces.size()), counted);
    for (size_t k = 0; k < pieces.size(); ++k) {
        const auto piece = look(pieces[k]);
        ASSERT_EQ(piece.size(), 1u) << pieces[k];
        EXPECT_EQ(pageDifference(pages[k], piece[0]), "") << pieces[k];
    }
}

// A result merged again has styles named as a merge names them: the
// styles of what goes in next must not be taken for those.
TEST_F(Merge, AMergedResultMergedAgainKeepsEveryLook)
{
    const std::string first = path("first-merge.odt");
    merge(corpus_, first, true);
    const std::string out = path("second-merge.odt");
    expectPagesOfSources({look(first), sources_[2]}, out, merge({first, corpus_[2]}, out, true));
}

// Page files end where their page ends: after a table cut at the page's
// foot, or with the paragraph the page's text ends in; they start with a
// table's rows or a numbered heading, and number their pages as the source
// does. Each must come back as it went.
TEST_F(Merge, SplitPagesMergedBackInOrderAreTheSourcePages)
{
    std::vector<std::string> sources{corpus_[0], corpus_[4]};
    for (const std::string ext : {"odt", "doc", "docx"}) {
        sources.push_back(path("to-split-back." + ext));
        merge(corpus_, sources.back(), true);
    }
    for (const auto& source : sources) {
        SCOPED_TRACE(source);
        const std::string folder = source + "-pages";
        ::mkdir(folder.c_str(), 0700);
        const auto pieces = session_->split(source, folder, 0);
        const std::string out = source + "-again" + source.substr(source.rfind('.'));
        const int counted = merge(pieces, out, true);
        const auto result = look(out);
        EXPECT_EQ(int(result.size()), counted);
        const auto comparison = comparePages({look(source)}, result);
        EXPECT_TRUE(comparison.passed()) << comparison.report();
    }
}

}  // namespace
}  // namespace tessaro::test
