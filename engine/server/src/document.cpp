// A Document and its small collections: Bookmarks (only Word's predefined
// "\page" is needed) and Windows (one window per document).
#include "dispatch.h"
#include "objects.h"
#include "word_error.h"

#include <algorithm>

namespace wordsrv {

namespace {

constexpr long wdDoNotSaveChanges = 0;
constexpr long wdGoToPage = 1;
constexpr long wdGoToAbsolute = 1;
constexpr long wdStatisticPages = 2;

enum DocumentMember : DISPID { Name = DISPID_VALUE, FullName = 1, Path, Content, Bookmarks, Windows, Fields,
                               Application, Activate, Range, GoTo, ComputeStatistics, SaveAs, SaveAs2, PrintOut,
                               Close };
constexpr Member kDocument[] = {
    {L"Name", Name},
    {L"FullName", FullName},
    {L"Path", Path},
    {L"Content", Content},
    {L"Bookmarks", Bookmarks},
    {L"Windows", Windows},
    {L"Fields", Fields},
    {L"Application", Application},
    {L"Activate", Activate},
    {L"Range", Range, {L"Start", L"End"}},
    {L"GoTo", GoTo, {L"What", L"Which", L"Count", L"Name"}},
    {L"ComputeStatistics", ComputeStatistics, {L"Statistic", L"IncludeFootnotesAndEndnotes"}},
    {L"SaveAs", SaveAs, {L"FileName", L"FileFormat"}},
    {L"SaveAs2", SaveAs2, {L"FileName", L"FileFormat"}},
    {L"PrintOut", PrintOut, {L"Background"}},
    {L"Close", Close, {L"SaveChanges", L"OriginalFormat", L"RouteDocument"}},
};

// The folder and the file-name part of a full path.
std::wstring folderOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring nameOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

class DocumentObject final : public DispatchObject {
public:
    DocumentObject(WordPtr word, int doc) : DispatchObject(kDocument), word_(std::move(word)), doc_(doc) {}

private:
    void invoke(Call& call) override
    {
        Word& word = *word_;
        const std::string id = std::to_string(doc_);
        word.check(doc_);
        switch (call.member) {
        case Name:
            call.result = Variant::of(nameOf(word.fullName(doc_)));
            break;
        case FullName:
            call.result = Variant::of(word.fullName(doc_));
            break;
        case Path:
            call.result = Variant::of(folderOf(word.fullName(doc_)));
            break;
        case Content:
            call.result = rangeObject(word_, Span{doc_, 0, 0, true});
            break;
        case Bookmarks:
            call.result = bookmarksObject(word_, doc_);
            break;
        case Windows:
            call.result = windowsObject(word_, doc_);
            break;
        case Fields:
            call.result = fieldsObject(word_, doc_);
            break;
        case Application:
            call.result = Variant::of(newApplication(word_));
            break;
        case Activate:
            word.activate(doc_);
            break;
        case Range: {
            const long start = call.args.number(0, 0);
            const long end = call.args.has(1) ? call.args.number(1, 0) : word.pageCount(doc_);
            call.result = rangeObject(word_, Span{doc_, start, std::max(start, end), false});
            break;
        }
        case GoTo:
            call.result = rangeObject(word_, goTo(call.args));
            break;
        case ComputeStatistics:
            if (call.args.number(0, -1) != wdStatisticPages)
                throw unsupported(L"Statistic");
            call.result = Variant::of(static_cast<long>(word.pageCount(doc_)));
            break;
        case SaveAs:
        case SaveAs2:
            if (call.args.has(1))
                throw unsupported(L"FileFormat");
            word.saveAs(doc_, call.args.text(0, L"FileName"));
            break;
        case PrintOut:
            word.engine({"print", id});
            break;
        case Close:
            close(call.args);
            break;
        }
    }

    Span goTo(const Args& args)
    {
        if (args.number(0, wdGoToPage) != wdGoToPage || args.number(1, wdGoToAbsolute) != wdGoToAbsolute)
            throw unsupported(L"What/Which");
        const long pages = word_->pageCount(doc_);
        const long page = std::clamp(args.number(2, 1), 1L, std::max(pages, 1L));
        return Span{doc_, page - 1, page - 1, false};
    }

    void close(const Args& args)
    {
        Word& word = *word_;
        // Without alerts there is nobody to ask: only an explicit "save"
        // writes, and only to a file the document already has.
        const long save = args.number(0, wdDoNotSaveChanges);
        if (save != wdDoNotSaveChanges && save != -2) {
            if (word.fullName(doc_).empty())
                throw WordError{L"文档尚未保存过，无法保存 (the document has no file name)"};
            word.saveAs(doc_, word.fullName(doc_));
        }
        word.close(doc_);
    }

    WordPtr word_;
    int doc_;
};

enum BookmarksMember : DISPID { Item = DISPID_VALUE, Exists = 1 };
constexpr Member kBookmarks[] = {
    {L"Item", Item, {L"Index"}},
    {L"Exists", Exists, {L"Name"}},
};

bool isPageBookmark(const std::wstring& name)
{
    return CompareStringOrdinal(name.c_str(), -1, L"\\page", -1, TRUE) == CSTR_EQUAL;
}

class BookmarksObject final : public DispatchObject {
public:
    BookmarksObject(WordPtr word, int doc) : DispatchObject(kBookmarks), word_(std::move(word)), doc_(doc) {}

private:
    void invoke(Call& call) override
    {
        word_->check(doc_);
        const std::wstring name = call.args.text(0, call.member == Item ? L"Index" : L"Name");
        if (call.member == Exists) {
            call.result = Variant::of(isPageBookmark(name));
            return;
        }
        if (!isPageBookmark(name))
            throw WordError{L"书签不存在 (no such bookmark): " + name};
        // Word evaluates "\page" at the insertion point when it is asked for.
        const long page = std::stol(word_->engine({"current_page", std::to_string(doc_)}).at(0));
        call.result = rangeObject(word_, Span{doc_, page - 1, page, false});
    }

    WordPtr word_;
    int doc_;
};

enum WindowsMember : DISPID { WindowItem = DISPID_VALUE, WindowCount = 1 };
constexpr Member kWindows[] = {
    {L"Item", WindowItem, {L"Index"}},
    {L"Count", WindowCount},
};

class WindowsObject final : public DispatchObject {
public:
    WindowsObject(WordPtr word, int doc) : DispatchObject(kWindows), word_(std::move(word)), doc_(doc) {}

private:
    void invoke(Call& call) override;

    WordPtr word_;
    int doc_;
};

enum WindowMember : DISPID { WindowActivate = 1, WindowDocument };
constexpr Member kWindow[] = {
    {L"Activate", WindowActivate},
    {L"Document", WindowDocument},
};

class WindowObject final : public DispatchObject {
public:
    WindowObject(WordPtr word, int doc) : DispatchObject(kWindow), word_(std::move(word)), doc_(doc) {}

private:
    void invoke(Call& call) override
    {
        if (call.member == WindowActivate)
            word_->activate(doc_);
        else
            call.result = documentObject(word_, doc_);
    }

    WordPtr word_;
    int doc_;
};

void WindowsObject::invoke(Call& call)
{
    word_->check(doc_);
    if (call.member == WindowCount) {
        call.result = Variant::of(1L);
        return;
    }
    if (call.args.number(0, 0) != 1)
        throw WordError{L"集合中没有这一项 (no such item): " + std::to_wstring(call.args.number(0, 0))};
    call.result = objectResult<WindowObject>(word_, doc_);
}

}  // namespace

Variant documentObject(const WordPtr& word, int doc) { return objectResult<DocumentObject>(word, doc); }
Variant bookmarksObject(const WordPtr& word, int doc) { return objectResult<BookmarksObject>(word, doc); }
Variant windowsObject(const WordPtr& word, int doc) { return objectResult<WindowsObject>(word, doc); }

}  // namespace wordsrv
