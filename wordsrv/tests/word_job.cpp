// A program ended part-way through its work, as by a user who kills it from
// the task manager: it runs the program's merge or split with the Word the
// program starts, says so (an inherited event) just before the step given,
// and waits there to be killed.
//   word-job EVENT merge OUTPUT INPUT...   (before the third document opens)
//   word-job EVENT split FOLDER INPUT      (before the second page file is saved)
#include "fault_at_step.h"

#include "word/commands.h"

#include <ole2.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace wordsrv::test;

namespace {

tessaro::AddedDocument row(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return {path.substr(slash + 1), path.substr(0, slash)};
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 5)
        return 2;
    const auto ready = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(_wtoi64(argv[1])));
    const std::wstring job = argv[2];
    std::vector<tessaro::AddedDocument> documents;
    for (int i = 4; i < argc; ++i)
        documents.push_back(row(argv[i]));
    const bool merge = job == L"merge";
    const auto start = [&] {
        return withFault(tessaro::word::StartInstalledWord(), merge ? Step::kOpen : Step::kSave, merge ? 3 : 2, [&] {
            SetEvent(ready);
            Sleep(INFINITE);
        });
    };
    const auto show = [](const std::wstring&) {};
    OleInitialize(nullptr);
    if (merge) {
        tessaro::word::MergeOptions options;
        options.output_path = argv[3];
        tessaro::word::MergeInWord(documents, options, start, show, tessaro::word::Progress::None());
    } else {
        tessaro::word::SplitOptions options;
        options.output_folder = argv[3];
        tessaro::word::SplitInWord(documents, options, start, show, tessaro::word::Progress::None());
    }
    OleUninitialize();
    return 1;
}
