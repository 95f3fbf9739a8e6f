// A Document and its bookmarks: only Word's predefined "\page", the page
// that holds the insertion point, is needed.
#include "object_model/dispatch.h"
#include "object_model/objects.h"
#include "base/word_error.h"

#include <algorithm>

namespace wordsrv {

namespace {

constexpr long wdDoNotSaveChanges = 0;
constexpr long wdPromptToSaveChanges = -2;

enum DocumentMember : DISPID { Name = DISPID_VALUE, FullName = 1, Content, Bookmarks, Range, SaveAs, PrintOut, Close };
constexpr Member kDocument[] = {
    {L"Name", Name},
    {L"FullName", FullName},
    {L"Content", Content},
    {L"Bookmarks", Bookmarks},
    {L"Range", Range, {L"Start", L"End"}},
    {L"SaveAs", SaveAs, {L"FileName", L"FileFormat"}},
    {L"PrintOut", PrintOut, {L"Background"}},
    {L"Close", Close, {L"SaveChanges", L"OriginalFormat", L"RouteDocument"}},
};

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
        word.check(doc_);
        switch (call.member) {
        case Name:
            call.result = Variant::of(nameOf(word.fullName(doc_)));
            break;
        case FullName:
            call.result = Variant::of(word.fullName(doc_));
            break;
        case Content:
            call.result = rangeObject(word_, Span{doc_, 0, 0, true});
            break;
        case Bookmarks:
            call.result = bookmarksObject(word_, doc_);
            break;
        case Range: {
            const long start = call.args.number(0, 0);
            const long end = call.args.has(1) ? call.args.number(1, 0) : word.pageCount(doc_);
            call.result = rangeObject(word_, Span{doc_, start, std::max(start, end), false});
            break;
        }
        case SaveAs:
            word.saveAs(doc_, call.args.text(0, L"FileName"),
                        call.args.has(1) ? std::optional<long>(call.args.number(1, 0)) : std::nullopt);
            break;
        case PrintOut:
            // The engine returns once the job is spooled, as Background:=False asks.
            word.engine({request::kPrint, word.handle(doc_)});
            break;
        case Close:
            close(call.args.number(0, wdPromptToSaveChanges));
            break;
        }
    }

    // Without alerts there is nobody to ask: only an explicit "save" writes,
    // and only to the file the document already has.
    void close(long saveChanges)
    {
        Word& word = *word_;
        if (saveChanges != wdDoNotSaveChanges && saveChanges != wdPromptToSaveChanges) {
            if (word.fullName(doc_).empty())
                throw WordError{L"文档尚未保存过，无法保存 (the document has no file name)"};
            word.saveAs(doc_, word.fullName(doc_));
        }
        word.close(doc_);
    }

    WordPtr word_;
    int doc_;
};

bool isPageBookmark(const std::wstring& name)
{
    return CompareStringOrdinal(name.c_str(), -1, L"\\page", -1, TRUE) == CSTR_EQUAL;
}

enum BookmarksMember : DISPID { Item = DISPID_VALUE };
constexpr Member kBookmarks[] = {
    {L"Item", Item, {L"Index"}},
};

enum BookmarkMember : DISPID { BookmarkName = DISPID_VALUE, BookmarkRange = 1 };
constexpr Member kBookmark[] = {
    {L"Name", BookmarkName},
    {L"Range", BookmarkRange},
};

// Word works the page out when the bookmark is asked for.
class BookmarkObject final : public DispatchObject {
public:
    BookmarkObject(WordPtr word, const Span& page) : DispatchObject(kBookmark), word_(std::move(word)), page_(page) {}

private:
    void invoke(Call& call) override
    {
        word_->check(page_.doc);
        if (call.member == BookmarkName)
            call.result = Variant::of(std::wstring(L"\\page"));
        else
            call.result = rangeObject(word_, page_);
    }

    WordPtr word_;
    Span page_;
};

class BookmarksObject final : public DispatchObject {
public:
    BookmarksObject(WordPtr word, int doc) : DispatchObject(kBookmarks), word_(std::move(word)), doc_(doc) {}

private:
    void invoke(Call& call) override
    {
        word_->check(doc_);
        const std::wstring name = call.args.text(0, L"Index");
        if (!isPageBookmark(name))
            throw WordError{L"书签不存在 (no such bookmark): " + name};
        const long page = word_->currentPage(doc_);
        call.result = objectResult<BookmarkObject>(word_, Span{doc_, page - 1, page, false});
    }

    WordPtr word_;
    int doc_;
};

}  // namespace

Variant documentObject(const WordPtr& word, int doc) { return objectResult<DocumentObject>(word, doc); }
Variant bookmarksObject(const WordPtr& word, int doc) { return objectResult<BookmarksObject>(word, doc); }

}  // namespace wordsrv
