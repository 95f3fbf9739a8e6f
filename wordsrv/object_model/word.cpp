#include "object_model/word.h"

#include "contract/word_formats.h"
#include "object_model/save_format.h"
#include "base/text.h"
#include "engine_link/unix_paths.h"
#include "base/word_error.h"

#include <algorithm>

namespace wordsrv {

namespace {

std::string number(long n) { return std::to_string(n); }

}  // namespace

Word::Word(const std::wstring& enginePath) : engine_(enginePath) {}

Fields Word::engine(const Fields& request, const std::string& unixPath, const std::wstring& windowsPath)
{
    if (quit_)
        throw WordError{L"Word 已退出 (the application has quit)"};
    try {
        return engine_.call(request);
    } catch (WordError& e) {
        const std::wstring unix = fromUtf8(unixPath);
        if (!unix.empty())
            for (size_t at = e.text.find(unix); at != std::wstring::npos; at = e.text.find(unix, at + windowsPath.size()))
                e.text.replace(at, unix.size(), windowsPath);
        throw;
    }
}

Word::Entry& Word::entry(int doc)
{
    check(doc);
    return docs_.at(doc);
}

std::string Word::handle(int doc)
{
    Entry& e = entry(doc);
    if (e.engine == 0) {
        if (!e.fullName.empty()) {
            const std::string unix = unixPath(e.fullName);
            e.engine = std::stoi(engine({request::kOpen, unix, "0"}, unix, e.fullName).at(0));
        } else {
            e.engine = std::stoi(engine({request::kAdd}).at(0));
            if (e.hasPages) {
                const Span& p = e.pages;
                engine({request::kCopy, handle(p.doc), number(p.start + 1), number(p.end)});
                engine({request::kPaste, number(e.engine)});
            }
        }
        e.hasPages = false;
    }
    return number(e.engine);
}

void Word::buildCopiesOf(int doc)
{
    for (auto& [other, e] : docs_)
        if (e.engine == 0 && e.hasPages && e.pages.doc == doc)
            handle(other);
}

void Word::changing(int doc)
{
    buildCopiesOf(doc);
    syncCursor(doc);
    Entry& e = entry(doc);
    e.page = 0;
    e.pageCount = 0;
}

void Word::syncCursor(int doc)
{
    Entry& e = entry(doc);
    if (!e.cursorBehind)
        return;
    const std::string id = handle(doc);
    engine({request::kHome, id});
    for (long i = 1; i < e.page; ++i)
        engine({request::kNextPage, id});
    e.cursorBehind = false;
}

void Word::toPage(int doc, long page)
{
    Entry& e = entry(doc);
    e.page = std::clamp(page, 1L, std::max(1L, static_cast<long>(pageCount(doc))));
    e.cursorBehind = true;
}

void Word::nextPage(int doc)
{
    Entry& e = entry(doc);
    if (e.page == 0) {
        engine({request::kNextPage, handle(doc)});
        return;
    }
    // Browser.Next stays on the last page.
    toPage(doc, e.page + 1);
}

long Word::currentPage(int doc)
{
    Entry& e = entry(doc);
    if (e.page == 0)
        e.page = std::stol(engine({request::kCurrentPage, handle(doc)}).at(0));
    return e.page;
}

// The engine starts cutting the document into page files in its own format,
// which is what a split asks for, so the cut goes on while the pages are
// walked; it throws the cut away when asked for anything else. Only a head
// start: whatever makes it fail, the request that needs the pages meets again.
void Word::browsePages()
{
    if (active_ == 0)
        return;
    const Entry& e = docs_.at(active_);
    const std::wstring extension = tessaro::formats::ExtensionOf(e.fullName);
    if (e.engine == 0 || extension.empty())
        return;
    try {
        engine({request::kCutAhead, number(e.engine), toUtf8(extension)});
    } catch (const WordError&) {
    }
}

void Word::toEnd(int doc)
{
    Entry& e = entry(doc);
    engine({request::kEndKey, handle(doc)});
    e.page = 0;
    e.cursorBehind = false;
}

void Word::insertBreak(int doc)
{
    changing(doc);
    engine({request::kInsertBreak, handle(doc)});
}

int Word::keep(Entry e)
{
    const int doc = nextDoc_++;
    docs_.emplace(doc, std::move(e));
    order_.push_back(doc);
    active_ = doc;
    return doc;
}

int Word::open(const std::wstring& path, bool readOnly)
{
    const std::wstring full = fullPath(path);
    const std::string unix = unixPath(full);
    const Fields reply = engine({request::kOpen, unix, readOnly ? "1" : "0"}, unix, full);
    const int doc = keep(Entry{std::stoi(reply.at(0)), full, {}, false});
    if (visible_)
        showDocument(doc);
    return doc;
}

int Word::add()
{
    if (quit_)
        throw WordError{L"Word 已退出 (the application has quit)"};
    return keep(Entry{});
}

void Word::insertFile(int doc, const std::wstring& path)
{
    const std::wstring full = fullPath(path);
    const std::string unix = unixPath(full);
    changing(doc);
    engine({request::kInsertFile, handle(doc), unix}, unix, full);
}

void Word::receive(int doc, long at, const Span& source)
{
    Span pages = source;
    if (pages.story)
        pages.end = pageCount(pages.doc);
    if (pages.end <= pages.start)
        throw WordError{L"范围为空 (the range is empty)"};
    Entry& target = entry(doc);
    if (target.engine == 0 && target.fullName.empty() && !target.hasPages) {
        target.pages = pages;
        target.hasPages = true;
        return;
    }
    toPage(doc, at + 1);
    changing(doc);
    engine({request::kCopy, handle(pages.doc), number(pages.start + 1), number(pages.end)});
    engine({request::kPaste, handle(doc)});
}

void Word::saveAs(int doc, const std::wstring& path, std::optional<long> format)
{
    Entry& e = entry(doc);
    PlannedSave save(fullPath(path), format, e.fullName);
    const std::wstring& full = save.target();
    const std::string unix = unixPath(save.written());
    if (e.engine == 0 && e.hasPages) {
        const Span& p = e.pages;
        if (p.end == p.start + 1)
            engine({request::kSavePage, handle(p.doc), number(p.end), unix}, unix, full);
        else
            engine({request::kSavePages, handle(p.doc), number(p.start + 1), number(p.end), unix}, unix, full);
        // The file holds the document now; it is opened from there if needed.
        e.hasPages = false;
    } else {
        engine({request::kSaveAs, handle(doc), unix}, unix, full);
    }
    save.complete();
    e.fullName = full;
}

void Word::close(int doc)
{
    buildCopiesOf(doc);
    Entry& e = entry(doc);
    if (e.engine != 0)
        engine({request::kClose, number(e.engine)});
    docs_.erase(doc);
    order_.erase(std::find(order_.begin(), order_.end(), doc));
    if (active_ == doc)
        active_ = order_.empty() ? 0 : order_.back();
}

int Word::pageCount(int doc)
{
    Entry& e = entry(doc);
    if (e.pageCount == 0)
        e.pageCount = std::stoi(engine({request::kPageCount, handle(doc)}).at(0));
    return static_cast<int>(e.pageCount);
}

const std::wstring& Word::fullName(int doc) const
{
    check(doc);
    return docs_.at(doc).fullName;
}

void Word::check(int doc) const
{
    if (quit_)
        throw WordError{L"Word 已退出 (the application has quit)"};
    if (docs_.count(doc) == 0)
        throw WordError{L"文档已关闭 (the document has been closed)"};
}

int Word::active() const
{
    if (active_ == 0)
        throw WordError{L"没有打开的文档 (no document is open)"};
    return active_;
}

void Word::activate(int doc)
{
    check(doc);
    active_ = doc;
}

void Word::show(bool visible)
{
    visible_ = visible;
    if (visible)
        for (const int doc : order_)
            showDocument(doc);
}

void Word::showDocument(int doc)
{
    // A document that has no file yet cannot be shown by the viewer.
    if (!fullName(doc).empty())
        engine({request::kShow, handle(doc)});
}

void Word::quit()
{
    if (quit_)
        return;
    engine_.quit();
    quit_ = true;
    docs_.clear();
    order_.clear();
    active_ = 0;
}

}  // namespace wordsrv
