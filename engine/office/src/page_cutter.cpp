#include "page_cutter.h"

#include "engine_error.h"

#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XDocumentIndexesSupplier.hpp>
#include <com/sun/star/style/LineSpacing.hpp>
#include <com/sun/star/style/LineSpacingMode.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/XBookmarksSupplier.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextTable.hpp>

#include <cctype>

namespace tessaro {

namespace {

class Cutter {
public:
    Cutter(const Document& doc, const PageMap& map)
        : doc_(doc), map_(map), body_(doc.text()->getText()),
          marks_(Reference<css::text::XBookmarksSupplier>(doc.component(), UNO_QUERY_THROW)->getBookmarks())
    {
    }

    // Deletes page `page` and everything after it.
    void dropFrom(int page)
    {
        const PageStart& start = info(page);
        if (start.inTable) {
            TableRow row = tableRow(page);
            if (row.index > row.headings) {
                row.rows->removeByIndex(row.index, row.rows->getCount() - row.index);
                if (hasMark(afterMark(page)))
                    shrink(deleteToEnd(body_->createTextCursorByRange(mark(afterMark(page)))));
            } else {
                if (!start.paragraphBefore)
                    throw EngineError("无法分割以表格开头的页 (cannot cut before a leading table)");
                deleteToEnd(body_->createTextCursorByRange(mark(beforeMark(page))));
            }
            return;
        }
        Reference<css::text::XTextCursor> cursor = body_->createTextCursorByRange(mark(startMark(page)));
        if (start.midParagraph) {
            deleteToEnd(cursor);
        } else if (start.afterTable) {
            // A text body cannot end with a table: the paragraph after it stays, made as small as it goes.
            shrink(deleteToEnd(cursor));
        } else {
            cursor->goLeft(1, false);
            deleteToEnd(cursor);
        }
    }

    // Deletes everything before page `page` and gives the page back its
    // style and number, which it had from the pages before it.
    void dropUntil(int page)
    {
        const PageStart& start = info(page);
        Reference<css::beans::XPropertySet> first;
        if (start.inTable) {
            TableRow row = tableRow(page);
            if (row.index > row.headings)
                row.rows->removeByIndex(row.headings, row.index - row.headings);
            if (start.paragraphBefore && hasMark(beforeMark(page)))
                deleteToStart(body_->createTextCursorByRange(mark(beforeMark(page))));
            dropLeading(row.table);
            first.set(row.table, UNO_QUERY_THROW);
        } else {
            deleteToStart(body_->createTextCursorByRange(mark(startMark(page))));
            dropLeading(nullptr);
            first.set(firstElement(), UNO_QUERY_THROW);
            if (start.midParagraph) {
                // The rest of a paragraph carried over: at the top of its own page it must not
                // gain the indent and space its first line had, or it would no longer fit.
                first->setPropertyValue("ParaFirstLineIndent", css::uno::Any(sal_Int32(0)));
                first->setPropertyValue("ParaTopMargin", css::uno::Any(sal_Int32(0)));
            }
        }
        first->setPropertyValue("PageDescName", css::uno::Any(ou(start.style)));
        first->setPropertyValue("PageNumberOffset", css::uno::Any(sal_Int16(page)));
    }

private:
    struct TableRow {
        Reference<css::text::XTextTable> table;
        Reference<css::table::XTableRows> rows;
        sal_Int32 index = 0;     // row where the page begins
        sal_Int32 headings = 0;  // rows repeated on every page of the table, never cut
    };

    const PageStart& info(int page) const { return map_.pages.at(static_cast<size_t>(page - 1)); }

    Reference<css::text::XTextRange> mark(const rtl::OUString& name) const
    {
        if (!marks_->hasByName(name))
            throw EngineError("分页标记丢失 (a page mark was lost): " + utf8(name));
        Reference<css::text::XTextContent> bookmark(marks_->getByName(name), UNO_QUERY_THROW);
        return bookmark->getAnchor();
    }

    // The marks beside a table sit where an earlier cut of this copy may
    // already have deleted everything after (or before) the table, taking the
    // mark with it; then there is nothing left on that side to delete.
    bool hasMark(const rtl::OUString& name) const { return marks_->hasByName(name); }

    TableRow tableRow(int page) const
    {
        Reference<css::text::XTextRange> at = mark(startMark(page));
        Reference<css::text::XTextCursor> cursor = at->getText()->createTextCursorByRange(at);
        TableRow row;
        row.table.set(getProperty(cursor, "TextTable"), UNO_QUERY_THROW);
        row.rows = row.table->getRows();
        Reference<css::table::XCell> cell(getProperty(cursor, "Cell"), UNO_QUERY_THROW);
        // Cell names are column letters then the 1-based row ("C12"; "C12.1.1" inside split cells).
        const std::string name = utf8(getProperty(cell, "CellName").get<rtl::OUString>());
        size_t digit = 0;
        while (digit < name.size() && std::isalpha(static_cast<unsigned char>(name[digit])))
            ++digit;
        row.index = std::stoi(name.substr(digit)) - 1;
        if (getProperty(row.table, "RepeatHeadline").get<bool>())
            row.headings = getProperty(row.table, "HeaderRowCount").get<sal_Int32>();
        return row;
    }

    Reference<css::text::XTextCursor> deleteToEnd(const Reference<css::text::XTextCursor>& cursor)
    {
        cursor->gotoEnd(true);
        cursor->setString(rtl::OUString());
        return cursor;
    }

    void deleteToStart(const Reference<css::text::XTextCursor>& cursor)
    {
        cursor->gotoStart(true);
        cursor->setString(rtl::OUString());
    }

    // A body cursor never enters tables at the very start of the text, so those
    // (and the paragraph emptied in front of a kept table) go one by one. An
    // index emptied by the cut keeps its section and with it an empty
    // paragraph; it goes whole.
    void dropLeading(const Reference<css::text::XTextTable>& kept)
    {
        Reference<css::container::XIndexAccess> indexes =
            Reference<css::text::XDocumentIndexesSupplier>(doc_.component(), UNO_QUERY_THROW)->getDocumentIndexes();
        for (sal_Int32 i = indexes->getCount() - 1; i >= 0; --i) {
            Reference<css::text::XTextContent> index(indexes->getByIndex(i), UNO_QUERY_THROW);
            if (index->getAnchor()->getString().isEmpty())
                index->dispose();
        }
        Reference<css::container::XEnumeration> items =
            Reference<css::container::XEnumerationAccess>(body_, UNO_QUERY_THROW)->createEnumeration();
        while (items->hasMoreElements()) {
            Reference<css::lang::XServiceInfo> item(items->nextElement(), UNO_QUERY_THROW);
            const bool isTable = item->supportsService("com.sun.star.text.TextTable");
            if (!isTable && !kept.is())
                return;
            if (isTable && kept.is() && Reference<css::text::XTextTable>(item, UNO_QUERY) == kept)
                return;
            Reference<css::lang::XComponent>(item, UNO_QUERY_THROW)->dispose();
        }
    }

    Reference<css::uno::XInterface> firstElement() const
    {
        Reference<css::container::XEnumeration> items =
            Reference<css::container::XEnumerationAccess>(body_, UNO_QUERY_THROW)->createEnumeration();
        return Reference<css::uno::XInterface>(items->nextElement(), UNO_QUERY_THROW);
    }

    void shrink(const Reference<css::text::XTextCursor>& at)
    {
        Reference<css::container::XEnumeration> items =
            Reference<css::container::XEnumerationAccess>(at, UNO_QUERY_THROW)->createEnumeration();
        Reference<css::beans::XPropertySet> paragraph(items->nextElement(), UNO_QUERY_THROW);
        // A page filled to its last row by a table has only a sliver left;
        // the paragraph must fit there or it would start a page of its own.
        css::style::LineSpacing sliver;
        sliver.Mode = css::style::LineSpacingMode::FIX;
        sliver.Height = 2;  // 1/100 mm
        paragraph->setPropertyValue("ParaLineSpacing", css::uno::Any(sliver));
        paragraph->setPropertyValue("CharHeight", css::uno::Any(1.0f));
        paragraph->setPropertyValue("CharHeightAsian", css::uno::Any(1.0f));
        paragraph->setPropertyValue("ParaTopMargin", css::uno::Any(sal_Int32(0)));
        paragraph->setPropertyValue("ParaBottomMargin", css::uno::Any(sal_Int32(0)));
    }

    const Document& doc_;
    const PageMap& map_;
    Reference<css::text::XText> body_;
    Reference<css::container::XNameAccess> marks_;
};

}  // namespace

void keepPages(const Document& doc, const PageMap& map, int docFirst, int docLast, int first, int last)
{
    Cutter cutter(doc, map);
    if (last < docLast)
        cutter.dropFrom(last + 1);
    if (first > docFirst)
        cutter.dropUntil(first);
}

void removeMarks(const Document& doc)
{
    Reference<css::container::XNameAccess> marks =
        Reference<css::text::XBookmarksSupplier>(doc.component(), UNO_QUERY_THROW)->getBookmarks();
    const std::string prefix = kMarkPrefix;
    const auto names = marks->getElementNames();
    for (sal_Int32 i = 0; i < names.getLength(); ++i) {
        if (utf8(names[i]).rfind(prefix, 0) != 0)
            continue;
        Reference<css::text::XTextContent> bookmark(marks->getByName(names[i]), UNO_QUERY_THROW);
        bookmark->getAnchor()->getText()->removeTextContent(bookmark);
    }
}

}  // namespace tessaro
