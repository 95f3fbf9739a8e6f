#include "protocol/session.h"

#include "files/atomic_write.h"
#include "engine_error.h"
#include "split/naming.h"
#include "document/own_styles.h"
#include "split/splitter.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/document/XDocumentInsertable.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XDocumentIndex.hpp>
#include <com/sun/star/text/XDocumentIndexesSupplier.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/text/XTextFieldsSupplier.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/util/XRefreshable.hpp>
#include <com/sun/star/view/PrintableState.hpp>
#include <com/sun/star/view/XPrintJobBroadcaster.hpp>
#include <com/sun/star/view/XPrintable.hpp>
#include <cppuhelper/implbase1.hxx>
#include <rtl/ref.hxx>

#include <algorithm>
#include <sys/stat.h>

namespace tessaro {

namespace {

Reference<css::text::XTextViewCursor> viewCursor(const Document& doc)
{
    Reference<css::frame::XModel> model(doc.component(), UNO_QUERY_THROW);
    Reference<css::text::XTextViewCursorSupplier> supplier(model->getCurrentController(), UNO_QUERY_THROW);
    return supplier->getViewCursor();
}

Reference<css::text::XTextCursor> cursorAt(const Reference<css::text::XTextRange>& at)
{
    return at->getText()->createTextCursorByRange(at);
}

class PrintWatcher : public cppu::WeakImplHelper1<css::view::XPrintJobListener> {
public:
    css::view::PrintableState last = css::view::PrintableState_JOB_STARTED;
    bool seen = false;

    void SAL_CALL printJobEvent(const css::view::PrintJobEvent& event) override
    {
        last = event.State;
        seen = true;
    }
    void SAL_CALL disposing(const css::lang::EventObject&) override {}
};

// Where a page break was just made (the keep-format merge), the inserted
// document starts its own page and brings its page style with it; elsewhere
// its text runs on in the page it lands in.
bool startsPage(const Reference<css::text::XTextCursor>& cursor)
{
    Reference<css::text::XParagraphCursor> paragraph(cursor, UNO_QUERY_THROW);
    if (!paragraph->isStartOfParagraph() || !paragraph->isEndOfParagraph())
        return false;
    css::style::BreakType type = css::style::BreakType_NONE;
    getProperty(cursor, "BreakType") >>= type;
    return type == css::style::BreakType_PAGE_BEFORE ||
           !Reference<css::text::XTextRangeCompare>(cursor->getText(), UNO_QUERY_THROW)
                ->compareRegionStarts(cursor->getStart(), cursor->getText()->getStart());
}

void requireFolder(const std::string& folder)
{
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw EngineError("输出文件夹不存在 (output folder not found): " + folder);
}

}  // namespace

Session::Session(std::chrono::milliseconds callLimit) : office_(callLimit), scratch_("tessaro-work") {}

Session::~Session() { quit(); }

template <typename F> auto Session::guarded(const std::string& what, F&& body)
{
    settle();
    if (!office_.alive())
        throw EngineError("LibreOffice 已停止 (soffice.bin is no longer running)");
    Watchdog::Scope scope(office_.watchdog(), what);
    return translated(std::forward<F>(body));
}

template <typename F> auto Session::translated(F&& body)
{
    try {
        return body();
    } catch (const css::lang::DisposedException& e) {
        office_.bridgeLost();
        throw EngineError(office_.explain(e));
    } catch (const css::uno::Exception& e) {
        throw EngineError(office_.explain(e));
    }
}

// A failed cut is forgotten with its pieces: a page asked for has had its
// failure, and a request that needs the office finds out for itself whether
// the office is still there. A cut made ahead that nobody took was a guess
// that missed: it is stopped rather than waited for.
void Session::settle()
{
    if (!cache_.cut)
        return;
    if (cache_.ahead) {
        dropPages();
        return;
    }
    try {
        cache_.cut->wait();
    } catch (const std::exception&) {
        dropPages();
    } catch (const css::uno::Exception&) {
        dropPages();
    }
}

void Session::dropPages()
{
    cache_.cut.reset();
    cache_ = PageCache();
}

Session::OpenDocument& Session::find(int doc)
{
    auto it = docs_.find(doc);
    if (it == docs_.end())
        throw EngineError("无效的文档句柄 (no open document " + std::to_string(doc) + ")");
    return it->second;
}

Session::OpenDocument& Session::get(int doc)
{
    OpenDocument& entry = find(doc);
    if (!entry.doc.loaded()) {
        entry.doc = loadDocument(office_.desktop(), entry.file, entry.readOnly);
        entry.cursor = cursorAt(entry.doc.text()->getText()->getStart());
    }
    return entry;
}

int Session::keep(Document doc, const std::string& fullName, bool pristine)
{
    OpenDocument entry;
    entry.cursor = cursorAt(doc.text()->getText()->getStart());
    entry.doc = std::move(doc);
    entry.fullName = fullName;
    entry.pristine = pristine;
    const int handle = nextHandle_++;
    docs_.emplace(handle, std::move(entry));
    return handle;
}

void Session::changed(OpenDocument& entry)
{
    entry.pristine = false;
    ++entry.generation;
}

int Session::open(const std::string& path, bool readOnly)
{
    return guarded("open " + path, [&] {
        const std::optional<FileStamp> stamp = fileStamp(path);
        const int doc = keep(loadDocument(office_.desktop(), path, readOnly), path, false);
        find(doc).file = path;
        find(doc).stamp = stamp;
        find(doc).readOnly = readOnly;
        return doc;
    });
}

int Session::add()
{
    return guarded("new document", [&] { return keep(newDocument(office_.desktop()), std::string(), true); });
}

void Session::home(int doc)
{
    guarded("go to start", [&] {
        OpenDocument& entry = get(doc);
        entry.cursor = cursorAt(entry.doc.text()->getText()->getStart());
    });
}

void Session::endKey(int doc)
{
    guarded("go to end", [&] {
        OpenDocument& entry = get(doc);
        entry.cursor = cursorAt(entry.doc.text()->getText()->getEnd());
    });
}

void Session::insertBreak(int doc)
{
    guarded("page break", [&] {
        OpenDocument& entry = get(doc);
        entry.cursor->getText()->insertControlCharacter(Reference<css::text::XTextRange>(entry.cursor, UNO_QUERY_THROW),
                                                        css::text::ControlCharacter::PARAGRAPH_BREAK, false);
        setProperty(entry.cursor, "BreakType", css::uno::Any(css::style::BreakType_PAGE_BEFORE));
        changed(entry);
    });
}

void Session::insertFile(int doc, const std::string& path)
{
    guarded("insert " + path, [&] {
        OpenDocument& entry = get(doc);
        // LibreOffice's insert reports no error of any kind, so the file is
        // opened on its own first to learn whether it can be read at all.
        Document source = takeClosed(path);
        if (!source.loaded())
            source = loadDocument(office_.desktop(), path, true);
        // Inserted as .odt: after a .docx went in, the .docx export wrote other
        // defaults than the document had, and the saved pages were not the ones counted.
        const std::string copy = scratch_.file("insert-" + std::to_string(++copies_) + ".odt");
        const bool pageStart = startsPage(entry.cursor);
        const bool atEnd = !Reference<css::text::XTextRangeCompare>(entry.cursor->getText(), UNO_QUERY_THROW)
                                ->compareRegionEnds(entry.cursor->getEnd(), entry.cursor->getText()->getEnd());
        writeForInsertion(source, pageStart, atEnd, copy);
        source.close();
        // The inserted first paragraph names its page style, which starts the
        // page by itself; a page break beside it would be exported as a
        // second break and an empty page in Word formats.
        if (pageStart)
            setProperty(entry.cursor, "BreakType", css::uno::Any(css::style::BreakType_NONE));
        // Numbered after every name the target has, its own and ones earlier merges gave.
        if (entry.inserted == 0)
            entry.inserted = std::max(1, highestStyleNumber(entry.doc));
        renameStyles(copy, ++entry.inserted);
        // Run into the paragraph the cursor is in, the inserted first
        // paragraph would take that paragraph's style and lose its own look
        // (a heading came out as body text): it starts a paragraph of its own.
        if (!pageStart && !Reference<css::text::XParagraphCursor>(entry.cursor, UNO_QUERY_THROW)->isStartOfParagraph())
            entry.cursor->getText()->insertControlCharacter(
                Reference<css::text::XTextRange>(entry.cursor, UNO_QUERY_THROW),
                css::text::ControlCharacter::PARAGRAPH_BREAK, false);
        {
            // The insertion and each edit after it would lay the inserted
            // pages out on their own (seconds at 1,000 pages): they are laid
            // out once, after the last.
            LockedControllers locked(entry.doc);
            Reference<css::document::XDocumentInsertable> target(entry.cursor, UNO_QUERY_THROW);
            target->insertDocumentFromURL(fileUrl(copy), props({}));
            // The cursor now holds what was inserted.
            if (pageStart)
                passOnPageStart(Reference<css::text::XTextRange>(entry.cursor, UNO_QUERY_THROW));
            if (atEnd) {
                removeEmptyLastParagraph(entry.doc);
                entry.cursor = cursorAt(entry.doc.text()->getText()->getEnd());
            }
        }
        ::remove(copy.c_str());
        changed(entry);
    });
}

int Session::pageCount(int doc)
{
    return guarded("page count", [&] { return static_cast<int>(printed(get(doc)).size()); });
}

int Session::updateFields(int doc)
{
    return guarded("update fields", [&] {
        OpenDocument& entry = get(doc);
        // As Word does, one that cannot be updated does not stop the rest;
        // the answer is the number of the first that failed.
        int number = 0, failed = 0;
        const auto attempt = [&](const auto& update) {
            ++number;
            try {
                update();
            } catch (const css::lang::DisposedException&) {
                throw;
            } catch (const css::uno::Exception&) {
                if (failed == 0)
                    failed = number;
            }
        };
        Reference<css::text::XDocumentIndexesSupplier> indexes(entry.doc.component(), UNO_QUERY_THROW);
        Reference<css::container::XIndexAccess> list = indexes->getDocumentIndexes();
        for (sal_Int32 i = 0; i < list->getCount(); ++i)
            attempt([&] { updateIndex(list->getByIndex(i)); });
        Reference<css::text::XTextFieldsSupplier> fields(entry.doc.component(), UNO_QUERY_THROW);
        attempt([&] { Reference<css::util::XRefreshable>(fields->getTextFields(), UNO_QUERY_THROW)->refresh(); });
        changed(entry);
        return failed;
    });
}

void Session::saveAs(int doc, const std::string& path)
{
    guarded("save " + path, [&] {
        OpenDocument& entry = get(doc);
        // As in Word: a file open read-only, or in another window, is not written over.
        for (const auto& [handle, other] : docs_)
            if (sameFile(other.fullName, path) &&
                (handle != doc || Reference<css::frame::XStorable>(other.doc.component(), UNO_QUERY_THROW)->isReadonly()))
                throw EngineError("文档已打开，不能覆盖 (the file is open): " + path);
        storeDocument(entry.doc, path);
        entry.fullName = path;
    });
}

void Session::print(int doc)
{
    guarded("print", [&] {
        OpenDocument& entry = get(doc);
        Reference<css::view::XPrintable> printable(entry.doc.component(), UNO_QUERY_THROW);
        rtl::Reference<PrintWatcher> watcher(new PrintWatcher);
        Reference<css::view::XPrintJobBroadcaster>(entry.doc.component(), UNO_QUERY_THROW)
            ->addPrintJobListener(watcher.get());
        printable->print(props({prop("Wait", css::uno::Any(true))}));
        if (!watcher->seen || (watcher->last != css::view::PrintableState_JOB_SPOOLED &&
                               watcher->last != css::view::PrintableState_JOB_COMPLETED))
            throw EngineError("打印失败，请检查默认打印机 (printing failed: no usable default printer)");
    });
}

void Session::close(int doc)
{
    // Pages no longer wanted are not waited for.
    if (cache_.doc == doc)
        dropPages();
    guarded("close", [&] {
        OpenDocument& entry = find(doc);
        if (entry.readOnly && entry.generation == 0 && entry.stamp && entry.doc.loaded())
            closed_ = Closed{std::move(entry.doc), entry.file, *entry.stamp};
        docs_.erase(doc);
    });
}

Document Session::takeClosed(const std::string& path)
{
    std::optional<Closed> closed = std::move(closed_);
    closed_.reset();
    if (closed && sameFile(closed->file, path) && fileStamp(path) == closed->stamp)
        return std::move(closed->doc);
    return Document();
}

std::string Session::fullName(int doc) { return find(doc).fullName; }

std::string Session::text(int doc)
{
    return guarded("text", [&] { return utf8(get(doc).doc.text()->getText()->getString()); });
}

// Pages are numbered as printed; the view cursor numbers blank pages too.
const std::vector<int>& Session::printed(OpenDocument& entry)
{
    if (entry.printed.empty() || entry.printedGeneration != entry.generation) {
        entry.printed = printedPages(entry.doc);
        entry.printedGeneration = entry.generation;
    }
    return entry.printed;
}

int Session::currentPage(int doc)
{
    return guarded("current page", [&] {
        OpenDocument& entry = get(doc);
        const std::vector<int>& pages = printed(entry);
        Reference<css::text::XTextViewCursor> view = viewCursor(entry.doc);
        view->gotoRange(Reference<css::text::XTextRange>(entry.cursor, UNO_QUERY_THROW), false);
        const int laid = Reference<css::text::XPageCursor>(view, UNO_QUERY_THROW)->getPage();
        return static_cast<int>(std::upper_bound(pages.begin(), pages.end(), laid) - pages.begin());
    });
}

void Session::nextPage(int doc)
{
    const int page = currentPage(doc);
    guarded("next page", [&] {
        OpenDocument& entry = get(doc);
        const std::vector<int>& pages = printed(entry);
        if (page >= static_cast<int>(pages.size()))
            return;
        Reference<css::text::XTextViewCursor> view = viewCursor(entry.doc);
        Reference<css::text::XPageCursor> cursor(view, UNO_QUERY_THROW);
        cursor->jumpToPage(static_cast<sal_Int16>(pages[static_cast<size_t>(page)]));
        cursor->jumpToStartOfPage();
        entry.cursor = cursorAt(view->getStart());
    });
}

Document Session::workingCopy(const OpenDocument& entry)
{
    const std::string copy = scratch_.file("copy-" + std::to_string(++copies_) + ".odt");
    storeScratch(entry.doc, copy);
    Document doc = loadUrl(office_.desktop(), fileUrl(copy), false);
    ::remove(copy.c_str());
    return doc;
}

// The split cuts up the document it is given. One that is still what its file
// holds is handed over whole and read again from the file only if it is
// needed again, which costs less than the copy otherwise cut up.
Document Session::splitSource(OpenDocument& entry)
{
    if (entry.generation == 0 && !entry.file.empty())
        return std::move(entry.doc);
    return workingCopy(entry);
}

std::vector<std::string> Session::writePieces(Document doc, const std::vector<std::pair<int, int>>& runs,
                                              const std::function<std::string(int)>& name)
{
    return splitPieces(std::move(doc), piecesOf(runs, name), office_);
}

void Session::copy(int doc, int first, int last)
{
    guarded("copy pages", [&] {
        if (first != last) {
            clipboard_ = scratch_.file("clipboard.odt");
            writePieces(splitSource(get(doc)), {{first, last}}, [&](int) { return clipboard_; });
            return;
        }
        clipboard_ = pagePiece(doc, first, ".odt");
    });
}

bool Session::cutFits(int doc, const std::string& extension)
{
    const auto entry = docs_.find(doc);
    return cache_.cut && cache_.doc == doc && entry != docs_.end() && cache_.generation == entry->second.generation &&
           cache_.extension == extension;
}

// Copying page after page would cost pages x size: the whole document is cut
// once, into pieces of the format asked for, and the pieces are kept until
// the document changes. The cut runs on while the first pieces are taken.
void Session::startCut(int doc, const std::string& extension)
{
    if (cutFits(doc, extension))
        return;
    OpenDocument& entry = get(doc);
    dropPages();
    auto folder = std::make_unique<TempDir>("tessaro-pages");
    const int count = static_cast<int>(printed(entry).size());
    std::vector<std::pair<int, int>> runs;
    for (int p = 1; p <= count; ++p)
        runs.emplace_back(p, p);
    std::vector<PagePiece> pieces =
        piecesOf(runs, [&](int p) { return folder->file("page-" + std::to_string(p) + extension); });
    for (const PagePiece& piece : pieces)
        cache_.pages.push_back(piece.path);
    // Shared, as the cut's work must be copyable; only the cut uses it.
    auto source = std::make_shared<Document>(splitSource(entry));
    cache_.cut = std::make_unique<PageCut>(pieces.size(), [this, source, pieces](const PieceFeed& feed) {
        Watchdog::Scope scope(office_.watchdog(), "cut pages");
        splitPieces(std::move(*source), pieces, office_, Offices::Auto, &feed);
    });
    cache_.folder = std::move(folder);
    cache_.doc = doc;
    cache_.generation = entry.generation;
    cache_.extension = extension;
}

void Session::cutAhead(int doc, const std::string& extension)
{
    guarded("cut pages ahead", [&] {
        if (filterForPath(extension).empty() || cutFits(doc, extension))
            return;
        startCut(doc, extension);
        cache_.ahead = true;
    });
}

const std::string& Session::pagePiece(int doc, int page, const std::string& extension)
{
    startCut(doc, extension);
    cache_.ahead = false;
    if (page < 1 || page > static_cast<int>(cache_.pages.size()))
        throw EngineError("页码超出范围 (page " + std::to_string(page) + " of " + std::to_string(cache_.pages.size()) +
                          ")");
    try {
        // With soffice gone the cut is about to fail, and its reason is the one to give.
        if (office_.alive())
            cache_.cut->wait(static_cast<size_t>(page - 1));
        else
            cache_.cut->wait();
    } catch (...) {
        dropPages();
        throw;
    }
    return cache_.pages[static_cast<size_t>(page - 1)];
}

void Session::paste(int doc)
{
    guarded("paste", [&] {
        OpenDocument& entry = get(doc);
        if (clipboard_.empty())
            throw EngineError("剪贴板为空 (nothing was copied)");
        if (entry.pristine) {
            // Into a new, untouched document the page goes whole, with its page
            // style, header and footer, as Word's paste of a page does.
            Document pasted = loadUrl(office_.desktop(), fileUrl(clipboard_), true);
            entry.cursor = cursorAt(pasted.text()->getText()->getEnd());
            entry.doc = std::move(pasted);
        } else {
            Reference<css::document::XDocumentInsertable>(entry.cursor, UNO_QUERY_THROW)
                ->insertDocumentFromURL(fileUrl(clipboard_), props({}));
        }
        changed(entry);
    });
}

void Session::savePages(int doc, int first, int last, const std::string& path)
{
    guarded("save pages " + path, [&] {
        requireFolder(path.substr(0, path.rfind('/')));
        if (filterForPath(path).empty())
            throw EngineError("不支持的文件类型 (unsupported file type): " + path);
        writePieces(splitSource(get(doc)), {{first, last}}, [&](int) { return path; });
    });
}

void Session::savePage(int doc, int page, const std::string& path)
{
    const auto save = [&] {
        requireFolder(path.substr(0, path.rfind('/')));
        if (filterForPath(path).empty())
            throw EngineError("不支持的文件类型 (unsupported file type): " + path);
        const std::string dot = path.substr(path.rfind('.'));
        copyAtomically(pagePiece(doc, page, dot), path);
    };
    // A page of the cut under way needs nothing of the office: it is taken
    // as soon as it is written, while the cut goes on.
    const auto dot = path.rfind('.');
    if (dot != std::string::npos && cutFits(doc, path.substr(dot)))
        translated(save);
    else
        guarded("save page " + path, save);
}

std::vector<std::string> Session::split(const std::string& path, const std::string& folder, int files)
{
    return guarded("split " + path, [&] {
        requireFolder(folder);
        if (filterForPath(path).empty())
            throw EngineError("不支持的文件类型 (unsupported file type): " + path);
        Document doc = loadDocument(office_.desktop(), path, true);
        auto plan = [&](int count) {
            std::vector<std::pair<int, int>> runs;
            if (files == 0)
                for (int page = 1; page <= count; ++page)
                    runs.emplace_back(page, page);
            else
                runs = page_files::EvenRuns(count, files);
            return piecesOf(runs, [&](int k) { return pieceName(path, folder, k); });
        };
        return splitPages(std::move(doc), plan, office_, files == 1 ? Offices::One : Offices::Auto);
    });
}

bool Session::show(int doc)
{
    const std::string& path = find(doc).fullName;
    if (path.empty())
        throw EngineError("文档尚未保存，无法显示 (the document has no file)");
    return viewer_.show(path);
}

void Session::quit()
{
    dropPages();
    if (office_.alive()) {
        Watchdog::Scope scope(office_.watchdog(), "close documents");
        docs_.clear();
        closed_.reset();
    }
    docs_.clear();
    closed_.reset();
    office_.quit();
}

}  // namespace tessaro
