// Times the merge and the split through "Word.Application" (COM, wordsrv and
// the engine), whole jobs from CoCreateInstance to Quit, the split made by
// the program's own code, on the documents
// `tessaro-engine-fixtures --bench` wrote. scripts/bench-server.sh sets the
// engine's own command-line runs of the same jobs beside them.
#include "word_client.h"

#include "word/commands.h"

#include <ole2.h>

#include <chrono>
#include <cstdio>
#include <functional>

using namespace wordsrv::test;

namespace {

double seconds(const std::function<void()>& job)
{
    const auto start = std::chrono::steady_clock::now();
    job();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

Dispatch startWord()
{
    Dispatch word = Dispatch::create(L"Word.Application");
    word.put(L"DisplayAlerts", 0);
    word.put(L"Visible", false);
    return word;
}

Dispatch openInput(const Dispatch& word, const std::wstring& path)
{
    return word.object(L"Documents").object(L"Open", {named(L"FileName", path), named(L"ConfirmConversions", false),
                                                      named(L"ReadOnly", true), named(L"AddToRecentFiles", false)});
}

// Milliseconds per call of `member` through `object`, its DISPID looked up
// once as the program does; an object result is released at once.
double perCall(const Dispatch& object, const wchar_t* member, WORD flags, VARIANT* value)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    object.get()->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{value, value ? &put : nullptr, value ? 1u : 0u, value ? 1u : 0u};
    constexpr int kCalls = 500;
    return seconds([&] {
               for (int i = 0; i < kCalls; ++i) {
                   wordsrv::Variant result;
                   const HRESULT hr = object.get()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                                           value ? nullptr : result.get(), nullptr, nullptr);
                   if (FAILED(hr))
                       throw ComFailure{hr, member};
               }
           }) * 1000 / kCalls;
}

// What one call costs on its own, with nothing else running.
void calls(FILE* out)
{
    Dispatch word = startWord();
    wordsrv::Variant off = wordsrv::Variant::of(0L);
    std::fprintf(out, "com_call %.3f\n", perCall(word, L"DisplayAlerts", DISPATCH_PROPERTYPUT, off.get()));
    std::fprintf(out, "com_object_call %.3f\n", perCall(word, L"Documents", DISPATCH_PROPERTYGET, nullptr));
    word.call(L"Quit", {named(L"SaveChanges", 0)});
}

// The engine's own merge makes the same steps; `checkFirst` adds the
// program's opening of each input before it is inserted.
void merge(const std::wstring& folder, bool checkFirst)
{
    Dispatch word = startWord();
    Dispatch merged = openInput(word, folder + L"\\in1.docx");
    Dispatch selection = word.object(L"Selection");
    for (int i = 2; i <= 20; ++i) {
        const std::wstring input = folder + L"\\in" + std::to_wstring(i) + L".docx";
        if (checkFirst)
            openInput(word, input).call(L"Close", {named(L"SaveChanges", 0)});
        selection.call(L"EndKey", {named(L"Unit", 6)});
        selection.call(L"InsertBreak", {named(L"Type", 7)});
        selection.call(L"InsertFile", {named(L"FileName", input), named(L"Range", L""),
                                       named(L"ConfirmConversions", false), named(L"Link", false),
                                       named(L"Attachment", false)});
    }
    merged.object(L"Content").number(L"Information", {4});
    merged.call(L"SaveAs", {named(L"FileName", folder + L"\\com-merged.docx")});
    merged.call(L"Close", {named(L"SaveChanges", 0)});
    word.call(L"Quit", {named(L"SaveChanges", 0)});
}

// The program's own split of one document per page, with the moments its
// steps were reported: the first page of the walk (start-up, open and the
// page count before it), the first piece (the walk), the second piece (the
// first piece, which waits for the cut to lay the pages out and write it)
// and the end.
class SplitPhases final : public tessaro::word::Progress {
public:
    bool Cancelled() override { return false; }
    void Step(const std::wstring& text, int, int) override
    {
        const double now = elapsed();
        // Said before Word starts: the start-up phase runs on to the walk.
        if (text.starts_with(tessaro::word::OpeningText(L"")))
            return;
        if (text.find(L"读取") != std::wstring::npos) {
            if (walk_ < 0)
                walk_ = now;
        } else if (firstPiece_ < 0) {
            firstPiece_ = now;
        } else if (secondPiece_ < 0) {
            secondPiece_ = now;
        }
    }

    void run(const std::wstring& folder, const std::wstring& document, FILE* out)
    {
        tessaro::word::SplitOptions options;
        options.output_folder = folder + L"\\com-split";
        std::vector<std::wstring> messages;
        tessaro::word::SplitInWord({{document, folder}}, options, tessaro::word::StartInstalledWord,
                                   [&](const std::wstring& text) { messages.push_back(text); }, *this);
        const double end = elapsed();
        if (messages != std::vector<std::wstring>{L"分割完毕!"} || secondPiece_ < 0)
            throw ComFailure{E_FAIL, messages.empty() ? L"no message" : messages[0]};
        std::fprintf(out, "com_split %.3f\n", end);
        std::fprintf(out, "com_split_start_open %.3f\n", walk_);
        std::fprintf(out, "com_split_walk %.3f\n", firstPiece_ - walk_);
        std::fprintf(out, "com_split_first_piece %.3f\n", secondPiece_ - firstPiece_);
        std::fprintf(out, "com_split_other_pieces %.3f\n", end - secondPiece_);
    }

private:
    double elapsed() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count(); }

    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    double walk_ = -1, firstPiece_ = -1, secondPiece_ = -1;
};

}  // namespace

// FOLDER OUT [PAGES]: the split takes long<PAGES>.docx, long200.docx without.
int wmain(int argc, wchar_t** argv)
{
    if (argc != 3 && argc != 4)
        return 2;
    const std::wstring document = L"long" + std::wstring(argc == 4 ? argv[3] : L"200") + L".docx";
    const std::wstring folder = argv[1];
    FILE* out = _wfopen(argv[2], L"w");
    if (!out)
        return 2;
    OleInitialize(nullptr);
    int status = 0;
    try {
        calls(out);
        std::fprintf(out, "com_merge %.3f\n", seconds([&] { merge(folder, false); }));
        std::fprintf(out, "com_merge_checked %.3f\n", seconds([&] { merge(folder, true); }));
        SplitPhases().run(folder, document, out);
    } catch (const ComFailure& e) {
        std::fprintf(out, "error 0x%08lx %s\n", static_cast<unsigned long>(e.code), e.what());
        status = 1;
    }
    std::fclose(out);
    OleUninitialize();
    return status;
}
