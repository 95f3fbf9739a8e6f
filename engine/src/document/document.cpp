#include "document/document.h"

#include "contract/word_formats.h"
#include "files/atomic_write.h"
#include "engine_error.h"
#include "document/hanging_punctuation.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/task/PasswordRequest.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XRelativeTextContentInsert.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XRefreshable.hpp>
#include <com/sun/star/view/XRenderable.hpp>
#include <cppuhelper/implbase1.hxx>
#include <rtl/ref.hxx>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <sys/stat.h>

namespace tessaro {

Document::Document(Reference<css::lang::XComponent> component) : component_(component) {}

Document::~Document() { close(); }

Document::Document(Document&& other) noexcept : component_(other.component_) { other.component_.clear(); }

Document& Document::operator=(Document&& other) noexcept
{
    if (this != &other) {
        close();
        component_ = other.component_;
        other.component_.clear();
    }
    return *this;
}

Reference<css::text::XTextDocument> Document::text() const
{
    return Reference<css::text::XTextDocument>(component_, UNO_QUERY_THROW);
}

void Document::close()
{
    if (!component_.is())
        return;
    Reference<css::lang::XComponent> component = component_;
    component_.clear();
    try {
        Reference<css::util::XCloseable> closeable(component, UNO_QUERY);
        if (closeable.is())
            closeable->close(true);
        else
            component->dispose();
    } catch (const css::uno::Exception& e) {
        // A dead soffice takes its documents with it; nothing is left to close.
        std::cerr << "tessaro-engine: closing a document failed: " << utf8(e.Message) << "\n";
    }
}

namespace {

// Answers every request with "abort" (a hidden soffice has nobody to ask) and
// remembers whether a password was wanted, to give the user the real reason.
class AbortingHandler : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
public:
    bool passwordAsked = false;

    void SAL_CALL handle(const Reference<css::task::XInteractionRequest>& request) override
    {
        css::task::PasswordRequest password;
        if (request->getRequest() >>= password)
            passwordAsked = true;
        const auto continuations = request->getContinuations();
        for (sal_Int32 i = 0; i < continuations.getLength(); ++i) {
            Reference<css::task::XInteractionAbort> abort(continuations[i], UNO_QUERY);
            if (abort.is()) {
                abort->select();
                return;
            }
        }
    }
};

bool isRegularFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isDirectory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isEmptyFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && st.st_size == 0;
}

// What Word opens as a document. LibreOffice also opens web pages, plain
// text and other writers' files as text documents; merged or saved as Word
// documents they come out as something the user never had.
bool isWordFormat(const std::string& filter)
{
    static const char* const kWordFilters[] = {"MS Word",  "MS WinWord", "Office Open XML Text", "Rich Text Format",
                                               "writer8",  "StarOffice XML (Writer)", "OpenDocument Text"};
    for (const char* prefix : kWordFilters)
        if (filter.rfind(prefix, 0) == 0)
            return true;
    return false;
}

// Why a file LibreOffice opened is no Word document. Bytes it cannot place
// at all come out as plain text.
std::string notWordReason(const std::string& filter)
{
    if (filter.find("HTML") != std::string::npos || filter.rfind("writerweb", 0) == 0)
        return "不是 Word 文档，而是网页 (not a Word document: HTML)";
    if (filter.rfind("Text", 0) == 0)
        return "不是 Word 文档，文件已损坏或是纯文本 (not a Word document: damaged or plain text)";
    return "不是 Word 文档，格式不支持 (not a Word document: " + filter + ")";
}

// A generated .docx may end with a table (one that is only a table does).
// Word adds the paragraph it always keeps after a table when it opens the
// file; LibreOffice leaves the body without a place a cursor can stand in.
void endWithParagraph(const Document& doc)
{
    Reference<css::container::XEnumeration> items =
        Reference<css::container::XEnumerationAccess>(doc.text()->getText(), UNO_QUERY_THROW)->createEnumeration();
    Reference<css::lang::XServiceInfo> last;
    while (items->hasMoreElements())
        last.set(items->nextElement(), UNO_QUERY);
    if (isTable(last))
        insertParagraph(doc, Reference<css::text::XTextContent>(last, UNO_QUERY_THROW), true);
}

std::string loadedFilter(const Document& doc)
{
    Reference<css::frame::XModel> model(doc.component(), UNO_QUERY_THROW);
    const auto args = model->getArgs();
    for (sal_Int32 i = 0; i < args.getLength(); ++i) {
        rtl::OUString name;
        if (args[i].Name == "FilterName" && (args[i].Value >>= name))
            return utf8(name);
    }
    return {};
}

}  // namespace

LockedControllers::LockedControllers(const Document& doc) : model_(doc.component(), UNO_QUERY_THROW)
{
    model_->lockControllers();
}

LockedControllers::~LockedControllers()
{
    try {
        model_->unlockControllers();
    } catch (const css::uno::RuntimeException&) {
        // An office gone meanwhile has already failed the call that was being made.
    }
}

Document loadDocument(const Reference<css::frame::XDesktop2>& desktop, const std::string& path, bool readOnly)
{
    if (!isRegularFile(path))
        throw EngineError("文件不存在 (file not found): " + path);
    // LibreOffice takes an empty file for an empty document; Word refuses it.
    if (isEmptyFile(path))
        throw EngineError("文件为空，不是 Word 文档 (empty file): " + path);
    const rtl::OUString url = fileUrl(path);
    rtl::Reference<AbortingHandler> handler(new AbortingHandler);
    Document doc;
    try {
        doc = Document(desktop->loadComponentFromURL(
            url, "_blank", 0,
            props({prop("Hidden", css::uno::Any(true)), prop("ReadOnly", css::uno::Any(readOnly)),
                   prop("InteractionHandler",
                        css::uno::Any(Reference<css::task::XInteractionHandler>(handler.get()))),
                   prop("MacroExecutionMode", css::uno::Any(css::document::MacroExecMode::NEVER_EXECUTE)),
                   prop("UpdateDocMode", css::uno::Any(css::document::UpdateDocMode::NO_UPDATE))})));
    } catch (const css::lang::IllegalArgumentException&) {
        // Thrown for files no filter recognises; the reason is given below.
    } catch (const css::io::IOException&) {
    }
    if (handler->passwordAsked)
        throw EngineError("文档有密码保护，无法打开 (password-protected): " + path);
    if (!doc.loaded())
        throw EngineError("无法打开文档，文件已损坏或格式不支持 (damaged or unsupported): " + path);
    Reference<css::text::XTextDocument> text(doc.component(), UNO_QUERY);
    if (!text.is())
        throw EngineError("不是 Word 文档，文件已损坏或格式不支持 (not a word-processing document): " + path);
    const std::string filter = loadedFilter(doc);
    if (!isWordFormat(filter))
        throw EngineError(notWordReason(filter) + ": " + path);
    endWithParagraph(doc);
    return doc;
}

Document loadUrl(const Reference<css::frame::XDesktop2>& desktop, const rtl::OUString& url, bool asTemplate)
{
    rtl::Reference<AbortingHandler> handler(new AbortingHandler);
    Document doc(desktop->loadComponentFromURL(
        url, "_blank", 0,
        props({prop("Hidden", css::uno::Any(true)), prop("AsTemplate", css::uno::Any(asTemplate)),
               prop("InteractionHandler", css::uno::Any(Reference<css::task::XInteractionHandler>(handler.get()))),
               prop("MacroExecutionMode", css::uno::Any(css::document::MacroExecMode::NEVER_EXECUTE)),
               prop("UpdateDocMode", css::uno::Any(css::document::UpdateDocMode::NO_UPDATE))})));
    if (!doc.loaded())
        throw EngineError("无法打开临时文档 (cannot reopen a working copy): " + utf8(url));
    return doc;
}

Document newDocument(const Reference<css::frame::XDesktop2>& desktop)
{
    Document doc(desktop->loadComponentFromURL("private:factory/swriter", "_blank", 0,
                                               props({prop("Hidden", css::uno::Any(true))})));
    if (!doc.loaded())
        throw EngineError("无法新建文档 (cannot create a document)");
    return doc;
}

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

std::optional<FileStamp> fileStamp(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileStamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

std::string filterForPath(const std::string& path)
{
    const formats::WordFormat* format = formats::FormatOfPath(path);
    return format ? std::string(format->filter) : std::string();
}

void storeDocument(const Document& doc, const std::string& path)
{
    const std::string filter = filterForPath(path);
    if (filter.empty())
        throw EngineError("不支持的文件类型 (unsupported file type): " + path);
    const auto slash = path.rfind('/');
    const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    if (slash == std::string::npos || !isDirectory(folder))
        throw EngineError("输出文件夹不存在 (output folder not found): " + folder);
    if (isDirectory(path))
        throw EngineError("输出路径是文件夹 (output path is a folder): " + path);
    Reference<css::frame::XStorable> storable(doc.component(), UNO_QUERY_THROW);
    try {
        writeAtomically(path, [&](const std::string& temporary) {
            storable->storeToURL(fileUrl(temporary), props({prop("FilterName", css::uno::Any(ou(filter))),
                                                            prop("Overwrite", css::uno::Any(true))}));
            if (formats::FormatOfPath(path)->number == formats::kDocumentDefault)
                keepHangingPunctuation(temporary);
        });
    } catch (const css::io::IOException&) {
        throw EngineError("保存失败 (cannot write): " + path);
    }
}

void storeScratch(const Document& doc, const std::string& path)
{
    Reference<css::frame::XStorable> storable(doc.component(), UNO_QUERY_THROW);
    storable->storeToURL(fileUrl(path), props({prop("FilterName", css::uno::Any(rtl::OUString("writer8"))),
                                               prop("Overwrite", css::uno::Any(true))}));
}

bool isTable(const Reference<css::lang::XServiceInfo>& block)
{
    return block.is() && block->supportsService("com.sun.star.text.TextTable");
}

void insertParagraph(const Document& doc, const Reference<css::text::XTextContent>& block, bool after)
{
    Reference<css::text::XTextContent> paragraph(
        Reference<css::lang::XMultiServiceFactory>(doc.component(), UNO_QUERY_THROW)
            ->createInstance("com.sun.star.text.Paragraph"),
        UNO_QUERY_THROW);
    // Deprecated in the SDK for XText::insertTextContent, which cannot place anything beside a table.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    Reference<css::text::XRelativeTextContentInsert> body(doc.text()->getText(), UNO_QUERY_THROW);
    if (after)
        body->insertTextContentAfter(paragraph, block);
    else
        body->insertTextContentBefore(paragraph, block);
#pragma GCC diagnostic pop
}

void appendParagraph(const Document& doc)
{
    Reference<css::text::XText> body = doc.text()->getText();
    body->insertControlCharacter(body->getEnd(), css::text::ControlCharacter::PARAGRAPH_BREAK, false);
}

void removeEmptyLastParagraph(const Document& doc)
{
    // From the paragraph before it only: going through the whole body took a
    // second at 2,000 pages.
    Reference<css::text::XText> body = doc.text()->getText();
    Reference<css::text::XParagraphCursor> tail(body->createTextCursorByRange(body->getEnd()), UNO_QUERY_THROW);
    // At the body's end and at its paragraph's start: the last paragraph is empty.
    if (!tail->isStartOfParagraph() || !tail->gotoPreviousParagraph(false))
        return;
    tail->gotoEnd(true);
    Reference<css::container::XEnumeration> items =
        Reference<css::container::XEnumerationAccess>(tail, UNO_QUERY_THROW)->createEnumeration();
    std::vector<Reference<css::lang::XServiceInfo>> blocks;
    while (items->hasMoreElements() && blocks.size() < 3)
        blocks.emplace_back(items->nextElement(), UNO_QUERY_THROW);
    // A text cannot end with a table: the paragraph after one stays.
    if (blocks.size() == 2 && !isTable(blocks[0]))
        Reference<css::lang::XComponent>(blocks[1], UNO_QUERY_THROW)->dispose();
}

bool isPrintedPage(const Reference<css::text::XPageCursor>& pages, int page)
{
    // A blank page holds nothing the cursor can stand on: it lands on another page.
    pages->jumpToPage(static_cast<sal_Int16>(page));
    pages->jumpToStartOfPage();
    return pages->getPage() == page;
}

int completeLayout(const Document& doc)
{
    // After insertions the layout the view cursor walks can still hold blank
    // pages that a complete one does not.
    Reference<css::util::XRefreshable>(doc.component(), UNO_QUERY_THROW)->refresh();
    Reference<css::frame::XModel> model(doc.component(), UNO_QUERY_THROW);
    Reference<css::text::XTextViewCursorSupplier> supplier(model->getCurrentController(), UNO_QUERY_THROW);
    Reference<css::text::XPageCursor> pages(supplier->getViewCursor(), UNO_QUERY_THROW);
    pages->jumpToLastPage();
    return pages->getPage();
}

namespace {

// What the office would print, blank pages left out, as it counts them for
// printing and PDF export: one call, where walking the pages costs three a page.
int pagesToPrint(const Document& doc)
{
    // Counting stores its print options in the document as if it had printed;
    // the saved file keeps the document's own choice about blank pages.
    Reference<css::beans::XPropertySet> settings(
        Reference<css::lang::XMultiServiceFactory>(doc.component(), UNO_QUERY_THROW)
            ->createInstance("com.sun.star.text.DocumentSettings"),
        UNO_QUERY_THROW);
    const css::uno::Any printBlank = settings->getPropertyValue("PrintEmptyPages");
    Reference<css::view::XRenderable> renderable(doc.component(), UNO_QUERY_THROW);
    const sal_Int32 count = renderable->getRendererCount(css::uno::Any(doc.component()),
                                                         props({prop("IsSkipEmptyPages", css::uno::Any(true))}));
    settings->setPropertyValue("PrintEmptyPages", printBlank);
    return static_cast<int>(count);
}

}  // namespace

std::vector<int> printedPages(const Document& doc)
{
    const int laidOut = completeLayout(doc);
    std::vector<int> printed;
    printed.reserve(static_cast<size_t>(laidOut));
    if (pagesToPrint(doc) == laidOut) {
        for (int page = 1; page <= laidOut; ++page)
            printed.push_back(page);
        return printed;
    }
    Reference<css::frame::XModel> model(doc.component(), UNO_QUERY_THROW);
    Reference<css::text::XTextViewCursorSupplier> supplier(model->getCurrentController(), UNO_QUERY_THROW);
    Reference<css::text::XPageCursor> pages(supplier->getViewCursor(), UNO_QUERY_THROW);
    for (int page = 1; page <= laidOut; ++page)
        if (isPrintedPage(pages, page))
            printed.push_back(page);
    return printed;
}

int pageCount(const Document& doc)
{
    return static_cast<int>(printedPages(doc).size());
}

}  // namespace tessaro

#include <com/sun/star/text/XDocumentIndex.hpp>

namespace tessaro {

void updateIndex(const css::uno::Any& index)
{
    // The SDK marks update() deprecated in favour of XUpdatable, but the
    // indexes of LibreOffice 7.4 do not answer a query for XUpdatable.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    Reference<css::text::XDocumentIndex>(index, UNO_QUERY_THROW)->update();
#pragma GCC diagnostic pop
}

}  // namespace tessaro
