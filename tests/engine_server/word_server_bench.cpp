// Times the merge and the split through "Word.Application" (COM, wordsrv and
// the engine), whole jobs from CoCreateInstance to Quit, on the documents
// `tessaro-engine-fixtures --bench` wrote. scripts/bench-server.sh sets the
// engine's own command-line runs of the same jobs beside them.
#include "word_client.h"

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

void split(const std::wstring& folder)
{
    Dispatch word = startWord();
    Dispatch source = openInput(word, folder + L"\\long200.docx");
    Dispatch start = source.object(L"Content");
    start.call(L"Collapse", {named(L"Direction", 1)});
    start.call(L"Select");
    const long pages = source.object(L"Content").number(L"Information", {4});
    Dispatch bookmarks = source.object(L"Bookmarks");
    Dispatch browser = word.object(L"Browser");
    std::vector<std::pair<long, long>> positions;
    for (long i = 1; i <= pages; ++i) {
        Dispatch page = bookmarks.object(L"Item", {L"\\page"}).object(L"Range");
        positions.emplace_back(page.number(L"Start"), page.number(L"End"));
        if (i < pages) {
            browser.put(L"Target", 1);
            browser.call(L"Next");
        }
    }
    Dispatch documents = word.object(L"Documents");
    for (size_t i = 0; i < positions.size(); ++i) {
        Dispatch piece = documents.object(L"Add");
        Dispatch text = source.object(L"Range", {named(L"Start", positions[i].first), named(L"End", positions[i].second)})
                            .object(L"FormattedText");
        piece.object(L"Content").put(L"FormattedText", Arg(text));
        piece.call(L"SaveAs", {named(L"FileName", folder + L"\\com-split\\long200_" + std::to_wstring(i + 1) + L".docx")});
        piece.call(L"Close", {named(L"SaveChanges", 0)});
    }
    source.call(L"Close", {named(L"SaveChanges", 0)});
    word.call(L"Quit", {named(L"SaveChanges", 0)});
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
        return 2;
    const std::wstring folder = argv[1];
    FILE* out = _wfopen(argv[2], L"w");
    if (!out)
        return 2;
    OleInitialize(nullptr);
    int status = 0;
    try {
        std::fprintf(out, "com_merge %.3f\n", seconds([&] { merge(folder, false); }));
        std::fprintf(out, "com_merge_checked %.3f\n", seconds([&] { merge(folder, true); }));
        std::fprintf(out, "com_split %.3f\n", seconds([&] { split(folder); }));
    } catch (const ComFailure& e) {
        std::fprintf(out, "error 0x%08lx\n", static_cast<unsigned long>(e.code));
        status = 1;
    }
    std::fclose(out);
    OleUninitialize();
    return status;
}
