// Application and the objects that hang off it alone: Documents, Selection
// and Browser. Selection and Browser act on the active document.
#include "dispatch.h"
#include "objects.h"
#include "word_error.h"

namespace wordsrv {

namespace {

constexpr long wdStory = 6;
constexpr long wdPageBreak = 7;
constexpr long wdBrowsePage = 1;
constexpr long wdNumberOfPagesInDocument = 4;
constexpr long wdActiveEndAdjustedPageNumber = 1;
constexpr long wdActiveEndPageNumber = 3;

std::string id(int doc) { return std::to_string(doc); }

enum AppMember : DISPID { Name = DISPID_VALUE, Visible = 1, DisplayAlerts, ScreenUpdating, WindowState, Activate,
                          Documents, ActiveDocument, Selection, Browser, Quit, Version };
constexpr Member kApplication[] = {
    {L"Name", Name},
    {L"Visible", Visible},
    {L"DisplayAlerts", DisplayAlerts},
    {L"ScreenUpdating", ScreenUpdating},
    {L"WindowState", WindowState},
    {L"Activate", Activate},
    {L"Documents", Documents},
    {L"ActiveDocument", ActiveDocument},
    {L"Selection", Selection},
    {L"Browser", Browser},
    {L"Quit", Quit, {L"SaveChanges", L"OriginalFormat", L"RouteDocument"}},
    {L"Version", Version},
};

class Application final : public DispatchObject {
public:
    explicit Application(WordPtr word) : DispatchObject(kApplication), word_(std::move(word)) {}

private:
    void invoke(Call& call) override
    {
        Word& word = *word_;
        if (word.hasQuit() && call.member != Quit)
            throw WordError{L"Word 已退出 (the application has quit)"};
        switch (call.member) {
        case Name:
            call.result = Variant::of(std::wstring(L"Microsoft Word"));
            break;
        case Version:
            call.result = Variant::of(std::wstring(L"16.0"));
            break;
        case Visible:
            if (call.put)
                word.visible = call.value.flag(0, false);
            call.result = Variant::of(word.visible);
            break;
        case DisplayAlerts:
            // No dialog is ever shown, whatever the caller asks for.
            if (call.put)
                word.displayAlerts = call.value.number(0, 0) != 0;
            call.result = Variant::of(static_cast<long>(word.displayAlerts ? -1 : 0));
            break;
        case ScreenUpdating:
            call.result = Variant::of(true);
            break;
        case WindowState:
            if (call.put)
                word.windowState = call.value.number(0, 0);
            call.result = Variant::of(word.windowState);
            break;
        case Activate:
            break;
        case Documents:
            call.result = documentsObject(word_);
            break;
        case ActiveDocument:
            call.result = documentObject(word_, word.active());
            break;
        case Selection:
            call.result = selectionObject(word_);
            break;
        case Browser:
            call.result = browserObject(word_);
            break;
        case Quit:
            word.quit();
            break;
        }
    }

    WordPtr word_;
};

enum DocumentsMember : DISPID { Item = DISPID_VALUE, Count = 1, Open, Add };
constexpr Member kDocuments[] = {
    {L"Item", Item, {L"Index"}},
    {L"Count", Count},
    {L"Open", Open, {L"FileName", L"ConfirmConversions", L"ReadOnly", L"AddToRecentFiles", L"PasswordDocument",
                     L"PasswordTemplate"}},
    {L"Add", Add, {L"Template", L"NewTemplate", L"DocumentType", L"Visible"}},
};

class DocumentsObject final : public DispatchObject {
public:
    explicit DocumentsObject(WordPtr word) : DispatchObject(kDocuments), word_(std::move(word)) {}

private:
    void invoke(Call& call) override
    {
        Word& word = *word_;
        const auto& open = word.documents();
        switch (call.member) {
        case Item: {
            const long index = call.args.number(0, 0);
            if (index < 1 || index > static_cast<long>(open.size()))
                throw WordError{L"集合中没有这一项 (no such item): " + std::to_wstring(index)};
            call.result = documentObject(word_, open[static_cast<size_t>(index - 1)]);
            break;
        }
        case Count:
            call.result = Variant::of(static_cast<long>(open.size()));
            break;
        case Open:
            // Conversion prompts and passwords never get a dialog: a file
            // that would need one fails at once.
            call.result = documentObject(word_, word.open(call.args.text(0, L"FileName"), call.args.flag(2, false)));
            break;
        case Add:
            if (call.args.has(0))
                throw unsupported(L"Template");
            call.result = documentObject(word_, word.add());
            break;
        }
    }

    WordPtr word_;
};

enum SelectionMember : DISPID { EndKey = 1, HomeKey, InsertBreak, InsertFile, Information, Paste };
constexpr Member kSelection[] = {
    {L"EndKey", EndKey, {L"Unit", L"Extend"}},
    {L"HomeKey", HomeKey, {L"Unit", L"Extend"}},
    {L"InsertBreak", InsertBreak, {L"Type"}},
    {L"InsertFile", InsertFile, {L"FileName", L"Range", L"ConfirmConversions", L"Link", L"Attachment"}},
    {L"Information", Information, {L"Type"}},
    {L"Paste", Paste},
};

class SelectionObject final : public DispatchObject {
public:
    explicit SelectionObject(WordPtr word) : DispatchObject(kSelection), word_(std::move(word)) {}

private:
    void invoke(Call& call) override
    {
        Word& word = *word_;
        const int doc = word.active();
        switch (call.member) {
        case EndKey:
        case HomeKey:
            if (call.args.number(0, wdStory) != wdStory || call.args.number(1, 0) != 0)
                throw unsupported(L"Unit/Extend");
            word.engine({call.member == EndKey ? "end_key" : "home", id(doc)});
            break;
        case InsertBreak:
            if (call.args.number(0, wdPageBreak) != wdPageBreak)
                throw unsupported(L"Type");
            word.engine({"insert_break", id(doc)});
            break;
        case InsertFile:
            insertFile(word, doc, call.args);
            break;
        case Information:
            call.result = Variant::of(information(word, doc, call.args.number(0, -1)));
            break;
        case Paste:
            word.engine({"paste", id(doc)});
            break;
        }
    }

    static void insertFile(Word& word, int doc, const Args& args)
    {
        if ((args.has(1) && !args.text(1, L"Range").empty()) || args.flag(3, false) || args.flag(4, false))
            throw unsupported(L"Range/Link/Attachment");
        word.insertFile(doc, args.text(0, L"FileName"));
    }

    static long information(Word& word, int doc, long type)
    {
        if (type == wdNumberOfPagesInDocument)
            return word.pageCount(doc);
        if (type == wdActiveEndPageNumber || type == wdActiveEndAdjustedPageNumber)
            return std::stol(word.engine({"current_page", id(doc)}).at(0));
        throw unsupported(L"Information");
    }

    WordPtr word_;
};

enum BrowserMember : DISPID { Target = 1, Next };
constexpr Member kBrowser[] = {
    {L"Target", Target},
    {L"Next", Next},
};

class BrowserObject final : public DispatchObject {
public:
    explicit BrowserObject(WordPtr word) : DispatchObject(kBrowser), word_(std::move(word)) {}

private:
    void invoke(Call& call) override
    {
        Word& word = *word_;
        switch (call.member) {
        case Target:
            if (call.put)
                word.browserTarget = call.value.number(0, 0);
            call.result = Variant::of(word.browserTarget);
            break;
        case Next:
            if (word.browserTarget != wdBrowsePage)
                throw unsupported(L"Browser.Target");
            word.engine({"next_page", id(word.active())});
            break;
        }
    }

    WordPtr word_;
};

}  // namespace

IDispatch* newApplication(const WordPtr& word) { return new Application(word); }
Variant documentsObject(const WordPtr& word) { return objectResult<DocumentsObject>(word); }
Variant selectionObject(const WordPtr& word) { return objectResult<SelectionObject>(word); }
Variant browserObject(const WordPtr& word) { return objectResult<BrowserObject>(word); }

}  // namespace wordsrv
