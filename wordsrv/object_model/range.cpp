// Range (in page units, see Span) and the Fields of a document.
#include "object_model/dispatch.h"
#include "object_model/objects.h"
#include "base/text.h"
#include "base/word_error.h"

#include <algorithm>

namespace wordsrv {

namespace {

// Identifies our own Range objects when a caller hands one back (FormattedText).
constexpr IID IID_TessaroRange = {0x5b0e2c1a, 0x7d43, 0x4e1f, {0x9c, 0x2a, 0x41, 0x6f, 0x80, 0x3d, 0x11, 0xe7}};

constexpr long wdCollapseEnd = 0;
constexpr long wdCollapseStart = 1;
constexpr long wdNumberOfPagesInDocument = 4;

enum RangeMember : DISPID { Text = DISPID_VALUE, Start = 1, End, Collapse, Select, Information, FormattedText,
                            Fields };
constexpr Member kRange[] = {
    {L"Text", Text},
    {L"Start", Start},
    {L"End", End},
    {L"Collapse", Collapse, {L"Direction"}},
    {L"Select", Select},
    {L"Information", Information, {L"Type"}},
    {L"FormattedText", FormattedText, {}, true},
    {L"Fields", Fields},
};

class RangeObject final : public DispatchObject {
public:
    RangeObject(WordPtr word, const Span& span) : DispatchObject(kRange), word_(std::move(word)), span_(span) {}
    const Span& span() const { return span_; }

private:
    void* Find(REFIID iid) override
    {
        return iid == IID_TessaroRange ? static_cast<IDispatch*>(this) : DispatchObject::Find(iid);
    }

    // The story range ends wherever the document ends now.
    Span current()
    {
        Span span = span_;
        if (span.story)
            span.end = word_->pageCount(span.doc);
        return span;
    }

    void invoke(Call& call) override
    {
        Word& word = *word_;
        word.check(span_.doc);
        switch (call.member) {
        case Text:
            if (!span_.story)
                throw WordError{L"只能读取整篇文档的文字 (only the whole document's text can be read)"};
            call.result = Variant::of(fromUtf8(word.engine({request::kText, word.handle(span_.doc)}).at(0)));
            break;
        case Start:
            call.result = Variant::of(current().start);
            break;
        case End:
            call.result = Variant::of(current().end);
            break;
        case Collapse: {
            const Span now = current();
            const long direction = call.args.number(0, wdCollapseStart);
            if (direction != wdCollapseStart && direction != wdCollapseEnd)
                throw unsupported(L"Direction");
            const long at = direction == wdCollapseStart ? now.start : now.end;
            span_ = Span{span_.doc, at, at, false};
            break;
        }
        case Select:
            word.activate(span_.doc);
            word.toPage(span_.doc, span_.start + 1);
            break;
        case Information:
            if (call.args.number(0, -1) != wdNumberOfPagesInDocument)
                throw unsupported(L"Information");
            call.result = Variant::of(static_cast<long>(word.pageCount(span_.doc)));
            break;
        case FormattedText:
            if (call.put)
                word.receive(span_.doc, span_.start, spanOf(call.value.object(0, L"FormattedText")));
            else
                call.result = rangeObject(word_, span_);
            break;
        case Fields:
            call.result = fieldsObject(word_, span_.doc);
            break;
        }
    }

    WordPtr word_;
    Span span_;
};

enum FieldsMember : DISPID { Update = 1 };
constexpr Member kFields[] = {
    {L"Update", Update},
};

class FieldsObject final : public DispatchObject {
public:
    FieldsObject(WordPtr word, int doc) : DispatchObject(kFields), word_(std::move(word)), doc_(doc) {}

private:
    void invoke(Call& call) override
    {
        word_->changing(doc_);
        // Word answers 0 when every field updated, else the number of the
        // first that failed.
        const auto reply = word_->engine({request::kUpdateFields, word_->handle(doc_)});
        call.result = Variant::of(std::stol(reply.at(0)));
    }

    WordPtr word_;
    int doc_;
};

}  // namespace

Variant rangeObject(const WordPtr& word, const Span& span) { return objectResult<RangeObject>(word, span); }
Variant fieldsObject(const WordPtr& word, int doc) { return objectResult<FieldsObject>(word, doc); }

Span spanOf(IDispatch* range)
{
    // Only an object of this process answers the private interface; a
    // range of ours that went to the client comes back as itself.
    ComPtr<IDispatch> own;
    if (FAILED(range->QueryInterface(IID_TessaroRange, reinterpret_cast<void**>(own.put()))) || !own)
        throw WordError{L"参数必须是本程序的 Range 对象 (expected a Range of this application)"};
    return static_cast<RangeObject*>(own.get())->span();
}

}  // namespace wordsrv
