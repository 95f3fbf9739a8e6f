// Application and the objects that hang off it alone: Documents, Selection
// and Browser. Selection and Browser act on the active document: the one
// opened or added last that is still open.
#include "object_model/dispatch.h"
#include "object_model/objects.h"
#include "base/word_error.h"

namespace wordsrv {

namespace {

constexpr long wdStory = 6;
constexpr long wdPageBreak = 7;
constexpr long wdBrowsePage = 1;

enum AppMember : DISPID { Name = DISPID_VALUE, Visible = 1, DisplayAlerts, WindowState, Activate, Documents,
                          Selection, Browser, Quit, AutomationSecurity };
constexpr Member kApplication[] = {
    {L"Name", Name},
    {L"Visible", Visible, {}, true},
    {L"DisplayAlerts", DisplayAlerts, {}, true},
    {L"WindowState", WindowState, {}, true},
    {L"Activate", Activate},
    {L"Documents", Documents},
    {L"Selection", Selection},
    {L"Browser", Browser},
    {L"Quit", Quit, {L"SaveChanges", L"OriginalFormat", L"RouteDocument"}},
    {L"AutomationSecurity", AutomationSecurity, {}, true},
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
        case Visible:
            if (call.put)
                word.show(call.value.flag(0, false));
            call.result = Variant::of(word.visible());
            break;
        case DisplayAlerts:
            // No dialog is ever shown, whatever the caller asks for.
            if (call.put)
                word.displayAlerts = call.value.number(0, 0) != 0;
            call.result = Variant::of(static_cast<long>(word.displayAlerts ? -1 : 0));
            break;
        case AutomationSecurity:
            // Kept for the caller to read back; the engine never runs a
            // document's macros, whatever is asked for.
            if (call.put)
                word.automationSecurity = call.value.number(0, 0);
            call.result = Variant::of(word.automationSecurity);
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

enum DocumentsMember : DISPID { Open = 1, Add };
constexpr Member kDocuments[] = {
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
        switch (call.member) {
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

enum SelectionMember : DISPID { EndKey = 1, InsertBreak, InsertFile };
constexpr Member kSelection[] = {
    {L"EndKey", EndKey, {L"Unit", L"Extend"}},
    {L"InsertBreak", InsertBreak, {L"Type"}},
    {L"InsertFile", InsertFile, {L"FileName", L"Range", L"ConfirmConversions", L"Link", L"Attachment"}},
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
            if (call.args.number(0, wdStory) != wdStory || call.args.number(1, 0) != 0)
                throw unsupported(L"Unit/Extend");
            word.toEnd(doc);
            break;
        case InsertBreak:
            if (call.args.number(0, wdPageBreak) != wdPageBreak)
                throw unsupported(L"Type");
            word.insertBreak(doc);
            break;
        case InsertFile:
            insertFile(word, doc, call.args);
            break;
        }
    }

    static void insertFile(Word& word, int doc, const Args& args)
    {
        if ((args.has(1) && !args.text(1, L"Range").empty()) || args.flag(3, false) || args.flag(4, false))
            throw unsupported(L"Range/Link/Attachment");
        word.insertFile(doc, args.text(0, L"FileName"));
    }

    WordPtr word_;
};

enum BrowserMember : DISPID { Target = 1, Next };
constexpr Member kBrowser[] = {
    {L"Target", Target, {}, true},
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
            if (call.put) {
                word.browserTarget = call.value.number(0, 0);
                if (word.browserTarget == wdBrowsePage)
                    word.browsePages();
            }
            call.result = Variant::of(word.browserTarget);
            break;
        case Next:
            if (word.browserTarget != wdBrowsePage)
                throw unsupported(L"Browser.Target");
            word.nextPage(word.active());
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
