#include "split/page_marks.h"

#include "engine_error.h"

#include <optional>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/XDocumentIndexesSupplier.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextSectionsSupplier.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>

namespace tessaro {

const char* const kMarkPrefix = "__tessaro_cut_";

rtl::OUString startMark(int page) { return ou(std::string(kMarkPrefix) + "page_" + std::to_string(page)); }

namespace {

struct Mark {
    rtl::OUString name;
    Reference<css::text::XTextRange> at;
};

bool inCell(const Reference<css::text::XTextViewCursor>& cursor)
{
    return getProperty(cursor, "Cell").hasValue();
}

Reference<css::text::XTextRange> here(const Reference<css::text::XTextViewCursor>& cursor)
{
    Reference<css::text::XTextRange> start = cursor->getStart();
    return Reference<css::text::XTextRange>(start->getText()->createTextCursorByRange(start), UNO_QUERY_THROW);
}

// Indexes and sections may be protected; pages begin inside them too.
void unprotect(const Document& doc)
{
    Reference<css::text::XDocumentIndexesSupplier> indexes(doc.component(), UNO_QUERY_THROW);
    Reference<css::text::XTextSectionsSupplier> sections(doc.component(), UNO_QUERY_THROW);
    Reference<css::container::XIndexAccess> all[] = {
        indexes->getDocumentIndexes(),
        Reference<css::container::XIndexAccess>(sections->getTextSections(), UNO_QUERY_THROW)};
    for (const auto& list : all)
        for (sal_Int32 i = 0; i < list->getCount(); ++i)
            setProperty(Reference<css::uno::XInterface>(list->getByIndex(i), UNO_QUERY_THROW), "IsProtected",
                        css::uno::Any(false));
}

// The number a page starting here restarts its numbering at, if it does: a
// paragraph or a table beginning at the page's top may name one.
std::optional<int> restartedNumber(const Reference<css::text::XTextViewCursor>& cursor, const PageStart& start)
{
    if (start.midParagraph)
        return std::nullopt;
    css::uno::Any offset;
    if (start.inTable) {
        Reference<css::beans::XPropertySet> table(getProperty(cursor, "TextTable"), UNO_QUERY);
        Reference<css::beans::XPropertySet> cell(getProperty(cursor, "Cell"), UNO_QUERY);
        if (!table.is() || !cell.is() || cell->getPropertyValue("CellName").get<rtl::OUString>() != "A1")
            return std::nullopt;
        offset = table->getPropertyValue("PageNumberOffset");
    } else {
        offset = getProperty(cursor, "PageNumberOffset");
    }
    sal_Int16 number = 0;
    if (offset >>= number)
        return number;
    return std::nullopt;
}

}  // namespace

PageMap markPages(const Document& doc)
{
    unprotect(doc);
    Reference<css::frame::XModel> model(doc.component(), UNO_QUERY_THROW);
    Reference<css::text::XTextViewCursorSupplier> supplier(model->getCurrentController(), UNO_QUERY_THROW);
    Reference<css::text::XTextViewCursor> view = supplier->getViewCursor();
    Reference<css::text::XPageCursor> pages(view, UNO_QUERY_THROW);

    const int laidOut = completeLayout(doc);
    PageMap map;
    std::vector<Mark> marks;
    int number = 0;  // of the page laid out last
    for (int laid = 1; laid <= laidOut; ++laid) {
        // A blank page is no page of the document (see printedPages), but
        // it has a number all the same.
        if (!isPrintedPage(pages, laid)) {
            ++number;
            continue;
        }
        map.pages.emplace_back();
        PageStart& start = map.pages.back();
        const int page = map.count();
        start.style = utf8(getProperty(view, "PageStyleName").get<rtl::OUString>());
        Reference<css::text::XTextRange> at = here(view);
        start.inTable = inCell(view);
        start.midParagraph =
            !start.inTable && !Reference<css::text::XParagraphCursor>(at, UNO_QUERY_THROW)->isStartOfParagraph();
        number = restartedNumber(view, start).value_or(number + 1);
        start.number = number;
        if (page > 1)
            marks.push_back({startMark(page), at});
    }

    Reference<css::lang::XMultiServiceFactory> factory(doc.component(), UNO_QUERY_THROW);
    // Every bookmark inserted into a laid-out document would end a layout
    // action of its own: marking 1,000 pages took twice as long.
    LockedControllers locked(doc);
    for (const Mark& mark : marks) {
        Reference<css::text::XTextContent> bookmark(factory->createInstance("com.sun.star.text.Bookmark"),
                                                    UNO_QUERY_THROW);
        Reference<css::container::XNamed>(bookmark, UNO_QUERY_THROW)->setName(mark.name);
        mark.at->getText()->insertTextContent(mark.at, bookmark, false);
    }
    return map;
}

}  // namespace tessaro
