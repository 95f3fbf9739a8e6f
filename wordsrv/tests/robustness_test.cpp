// The Word server against bad inputs and faults, met as the program meets
// them: the program's merge and split, on a thread of their own as the
// window runs them, and Word calls of our own for what the program never
// asks. Every run must end within its bound with a message naming the
// cause, leave nothing half-written (a file already at the output stays as
// it was), leave the inputs byte for byte as they were and leave no server,
// engine, soffice or temporary entry behind. One test, so that the figures
// printed at the end (and kept for the test script) cover the whole run.
#include "fault_at_step.h"
#include "processes.h"
#include "test_documents.h"
#include "base/text.h"
#include "word_client.h"

#include "word/commands.h"
#include "word/job_thread.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>

namespace wordsrv::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using tessaro::AddedDocument;
using tessaro::word::Application;

// The bad inputs and a word of the cause each must be refused with.
const std::pair<const wchar_t*, const wchar_t*> kBadInputs[] = {
    {L"missing.docx", L"不存在"}, {L"locked.doc", L"密码"},    {L"damaged.docx", L"损坏"},
    {L"truncated.docx", L"损坏"}, {L"empty.docx", L"文件为空"}, {L"page.docx", L"网页"},
    {L"notes.docx", L"纯文本"},
};

std::vector<std::wstring> names(const std::wstring& folder)
{
    std::vector<std::wstring> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(folder), error))
        found.push_back(entry.path().filename().wstring());
    return found;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A .docx written to its end: a zip with its closing record.
bool completeZip(const std::wstring& path)
{
    const std::string bytes = fileBytes(path);
    return bytes.size() > 22 && bytes.rfind(std::string("PK\x05\x06", 4)) != std::string::npos;
}

AddedDocument row(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return {path.substr(slash + 1), path.substr(0, slash)};
}

std::vector<AddedDocument> rows(const std::vector<std::wstring>& paths)
{
    std::vector<AddedDocument> found;
    for (const auto& path : paths)
        found.push_back(row(path));
    return found;
}

std::wstring failure(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ComFailure& e) {
        return e.description;
    }
    return L"no error";
}

void endServers()
{
    for (const DWORD id : serverProcesses()) {
        const HANDLE server = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!server)
            continue;
        TerminateProcess(server, 1);
        WaitForSingleObject(server, 10000);
        CloseHandle(server);
    }
}

// Every process of the name, so a split's second office goes too.
void signalAll(const char* name, bool (*signal)(int, std::chrono::milliseconds))
{
    const auto found = linuxProcesses(name);
    EXPECT_FALSE(found.empty()) << name << " is not running";
    for (const int pid : found)
        EXPECT_TRUE(signal(pid, 10s)) << name;
}

// A Word of our own for looking at what a job wrote; it quits before the
// job's end is judged.
class Reader {
public:
    Dispatch& word()
    {
        if (!word_)
            word_.emplace(Dispatch::create(L"Word.Application"));
        return *word_;
    }
    Dispatch open(const std::wstring& path)
    {
        return word().object(L"Documents").object(
            L"Open", {named(L"FileName", path), named(L"ReadOnly", true), named(L"PasswordDocument", L"\x1f")});
    }
    long pages(const std::wstring& path)
    {
        try {
            Dispatch doc = open(path);
            const long count = doc.object(L"Content").number(L"Information", {4});
            doc.call(L"Close", {named(L"SaveChanges", 0)});
            return count;
        } catch (const ComFailure& e) {
            ADD_FAILURE() << toUtf8(path) << ": " << toUtf8(e.description);
            return -1;
        }
    }
    std::wstring text(const std::wstring& path)
    {
        Dispatch doc = open(path);
        const std::wstring content = doc.object(L"Content").text(L"Text");
        doc.call(L"Close", {named(L"SaveChanges", 0)});
        return content;
    }
    void quit()
    {
        if (word_)
            failure([&] { word_->call(L"Quit", {named(L"SaveChanges", 0)}); });
        word_.reset();
    }

private:
    std::optional<Dispatch> word_;
};

std::vector<std::wstring> linesStartingWith(const std::wstring& text, const std::wstring& start)
{
    std::vector<std::wstring> found;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find(L'\n', at);
        if (end == std::wstring::npos)
            end = text.size();
        if (text.compare(at, start.size(), start) == 0)
            found.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return found;
}

class ServerRobustness : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The engines started from here keep their run folders where they can be counted.
        temp_ = document(L"engine-temp");
        fs::remove_all(fs::path(temp_));
        fs::create_directories(fs::path(temp_));
        SetEnvironmentVariableW(L"TMPDIR", TESSARO_SERVER_DOCUMENTS_W L"/engine-temp");
        for (const auto& name : names(documents()))
            if (fs::is_regular_file(fs::path(document(name))))
                inputs_[name] = fileBytes(document(name));
    }
    void TearDown() override { SetEnvironmentVariableW(L"TMPDIR", nullptr); }

    // The job as the window runs it, on a thread of its own. One still
    // running after its bound has hung: every server is ended so that it returns.
    std::vector<std::wstring> runJob(tessaro::word::JobThread::Work work)
    {
        tessaro::word::JobThread job(std::move(work), nullptr);
        const ULONGLONG deadline = GetTickCount64() + 120000;
        while (job.Running() && GetTickCount64() < deadline)
            Sleep(20);
        if (job.Running()) {
            ADD_FAILURE() << "the job hung";
            endServers();
        }
        job.Wait();
        return job.TakeMessages();
    }
    std::wstring merge(const std::vector<std::wstring>& inputs, const std::wstring& output,
                       const tessaro::word::WordStarter& start = tessaro::word::StartInstalledWord)
    {
        tessaro::word::MergeOptions options;
        options.output_path = output;
        options.keep_formatting = true;
        return oneMessage(runJob([&](auto& progress, const auto& show) {
            tessaro::word::MergeInWord(rows(inputs), options, start, show, progress);
        }));
    }
    std::wstring split(const std::vector<std::wstring>& inputs, const std::wstring& folder,
                       const tessaro::word::WordStarter& start = tessaro::word::StartInstalledWord)
    {
        tessaro::word::SplitOptions options;
        options.output_folder = folder;
        options.batch = true;
        return oneMessage(runJob([&](auto& progress, const auto& show) {
            tessaro::word::SplitInWord(rows(inputs), options, start, show, progress);
        }));
    }
    static std::wstring oneMessage(const std::vector<std::wstring>& messages)
    {
        EXPECT_EQ(messages.size(), 1u);
        return messages.empty() ? std::wstring() : messages.back();
    }

    // Counts the case as handled when it added no failure.
    void tally(int& kind, const std::string& what, const std::function<void()>& check)
    {
        ++kind;
        const auto* result = ::testing::UnitTest::GetInstance()->current_test_info()->result();
        const int before = result->total_part_count();
        {
            SCOPED_TRACE(what);
            check();
        }
        for (int i = before; i < result->total_part_count(); ++i)
            if (result->GetTestPartResult(i).failed()) {
                mishandled_.push_back(what);
                break;
            }
    }

    // What every run must leave: no process, nothing half-written where the
    // output goes and, unless the engine was killed (the next one to start
    // removes what it left), no temporary entry.
    void expectCleanEnd(const std::wstring& output, bool engineKilled = false)
    {
        EXPECT_TRUE(nothingLeft(30s)) << "a server, engine or soffice is still running";
        for (const auto& name : names(output)) {
            // The engine writes under hidden names, renamed into place once whole.
            EXPECT_NE(name.rfind(L".", 0), 0u) << "half-written file left: " << toUtf8(name);
            if (name.ends_with(L".docx"))
                EXPECT_TRUE(completeZip(output + L"\\" + name)) << "truncated: " << toUtf8(name);
        }
        if (!engineKilled)
            EXPECT_TRUE(names(temp_).empty()) << "temporary entries left: " << names(temp_).size();
    }

    std::wstring summary() const
    {
        std::string line = std::to_string(bad_) + " bad inputs, " + std::to_string(faults_) + " faults: ";
        if (mishandled_.empty())
            line += "all handled";
        else
            line += std::to_string(mishandled_.size()) + " not handled (";
        for (size_t i = 0; i < mishandled_.size(); ++i)
            line += (i ? "; " : "") + mishandled_[i] + (i + 1 == mishandled_.size() ? ")" : "");
        bool unchanged = true;
        for (const auto& [name, bytes] : inputs_)
            unchanged = unchanged && fileBytes(document(name)) == bytes;
        line += unchanged ? "; inputs unchanged; " : "; INPUTS CHANGED; ";
        line += std::to_string(serverProcesses().size() + linuxProcesses("tessaro-engine").size() +
                               linuxProcesses("soffice.bin").size()) +
                " processes, " + std::to_string(names(temp_).size()) + " temporary entries left";
        return fromUtf8(line);
    }

    std::wstring temp_;
    std::map<std::wstring, std::string> inputs_;
    int bad_ = 0;
    int faults_ = 0;
    std::vector<std::string> mishandled_;
};

TEST_F(ServerRobustness, BadInputsAndFaultsEndWithTheirCauseAndLeaveNothingBehind)
{
    const std::wstring table = document(L"table.docx"), third = document(L"丙.docx"), first = document(L"甲 文档.docx");

    // Every bad input first in a merge (where the merge looks for its base)
    // and again later (where it is appended), around a document that is only
    // a table, itself first and inserted again later.
    {
        const std::wstring folder = emptyFolder(L"robust-bad"), out = folder + L"\\合并.docx";
        std::vector<std::wstring> inputs;
        for (const auto& [name, cause] : kBadInputs)
            inputs.push_back(document(name));
        inputs.push_back(table);
        for (const auto& [name, cause] : kBadInputs)
            inputs.push_back(document(name));
        inputs.push_back(third);
        inputs.push_back(table);
        const std::wstring told = merge(inputs, out);
        // And through Word calls of our own: opened, and inserted without being opened first.
        std::map<std::wstring, std::pair<std::wstring, std::wstring>> refused;
        long before = 0, after = 0;
        {
            Dispatch word = Dispatch::create(L"Word.Application");
            Dispatch target = word.object(L"Documents").object(L"Open", {named(L"FileName", third)});
            Dispatch selection = word.object(L"Selection");
            before = target.object(L"Content").number(L"Information", {4});
            for (const auto& [name, cause] : kBadInputs) {
                refused[name].first = failure([&] { word.object(L"Documents").call(L"Open", {document(name)}); });
                selection.call(L"EndKey", {named(L"Unit", 6)});
                refused[name].second = failure([&] { selection.call(L"InsertFile", {document(name)}); });
            }
            after = target.object(L"Content").number(L"Information", {4});
            word.call(L"Quit", {named(L"SaveChanges", 0)});
        }
        Reader reader;
        const long tablePages = reader.pages(table);
        const long pages = reader.pages(out);
        const std::wstring text = reader.text(out);
        reader.quit();
        expectCleanEnd(folder);
        for (const auto& [name, cause] : kBadInputs) {
            tally(bad_, toUtf8(name) + " first and later in a merge, opened and inserted", [&] {
                const auto lines = linesStartingWith(told, L"无法打开文档: " + document(name) + L" (");
                EXPECT_EQ(lines.size(), 2u) << toUtf8(told);
                for (const auto& line : lines)
                    EXPECT_NE(line.find(cause), std::wstring::npos) << toUtf8(line);
                EXPECT_NE(refused[name].first.find(cause), std::wstring::npos) << toUtf8(refused[name].first);
                EXPECT_NE(refused[name].second.find(cause), std::wstring::npos) << toUtf8(refused[name].second);
            });
        }
        tally(bad_, "a document that is only a table, first in a merge and inserted later", [&] {
            EXPECT_EQ(before, after) << "a bad file must insert nothing";
            EXPECT_NE(told.find(L"新生成的文档一共:" + std::to_wstring(pages) + L"页"), std::wstring::npos)
                << toUtf8(told);
            EXPECT_GT(tablePages, 1);
            EXPECT_GE(pages, 2 * tablePages + 1) << "the saved file has the pages of both tables and 丙";
            EXPECT_NE(text.find(L"表行1列1"), std::wstring::npos);
            EXPECT_NE(text.find(L"丙 第1节"), std::wstring::npos);
        });
    }

    // A split of the table and of two files that are not Word documents.
    tally(bad_, "a document that is only a table split, with a web page and an empty file", [&] {
        const std::wstring folder = emptyFolder(L"robust-bad-split");
        const std::wstring told = split({table, document(L"empty.docx"), document(L"page.docx")}, folder);
        EXPECT_NE(told.find(L"无法打开文档: " + document(L"empty.docx") + L" (文件为空"), std::wstring::npos)
            << toUtf8(told);
        EXPECT_NE(told.find(L"无法打开文档: " + document(L"page.docx") + L" ("), std::wstring::npos) << toUtf8(told);
        Reader reader;
        const long tablePages = reader.pages(table);
        for (long i = 1; i <= tablePages; ++i)
            EXPECT_EQ(reader.pages(folder + L"\\table_" + std::to_wstring(i) + L".docx"), 1) << i;
        reader.quit();
        EXPECT_FALSE(exists(folder + L"\\table_" + std::to_wstring(tablePages + 1) + L".docx"));
        EXPECT_EQ(names(folder).size(), static_cast<size_t>(tablePages));
        expectCleanEnd(folder);
    });

    // Outputs the program refuses before it starts Word: nothing is written
    // in whatever folder is current.
    for (const auto& [job, output] : {std::pair(L"merge", L"结果.docx"), std::pair(L"split", L"分割结果")}) {
        tally(bad_, toUtf8(std::wstring(L"a relative output for a ") + job), [&] {
            std::vector<std::wstring> told;
            const auto show = [&](const std::wstring& text) { told.push_back(text); };
            if (job == std::wstring(L"merge")) {
                tessaro::word::MergeOptions options;
                options.output_path = output;
                tessaro::word::RunMerge(rows({first, third}), options, show);
            } else {
                tessaro::word::SplitOptions options;
                options.output_folder = output;
                tessaro::word::RunSplit(rows({third}), options, show);
            }
            EXPECT_EQ(told, std::vector<std::wstring>{L"请输入完整的路径"});
            EXPECT_TRUE(serverProcesses().empty());
            wchar_t current[MAX_PATH] = {};
            GetCurrentDirectoryW(MAX_PATH, current);
            EXPECT_FALSE(exists(std::wstring(current) + L"\\" + output));
        });
    }

    // A read-only file where the output goes stays as it was.
    tally(bad_, "a read-only merge output", [&] {
        const std::wstring out = emptyFolder(L"robust-read-only") + L"\\合并.docx";
        CopyFileW(third.c_str(), out.c_str(), FALSE);
        SetFileAttributesW(out.c_str(), FILE_ATTRIBUTE_READONLY);
        const std::wstring told = merge({first, third}, out);
        EXPECT_EQ(told.rfind(L"合并未完全成功!\n无法保存文档: " + out + L" (", 0), 0u) << toUtf8(told);
        EXPECT_NE(told.find(L"只读"), std::wstring::npos) << toUtf8(told);
        EXPECT_TRUE(fileBytes(out) == inputs_[L"丙.docx"]);
        SetFileAttributesW(out.c_str(), FILE_ATTRIBUTE_NORMAL);
        expectCleanEnd(document(L"robust-read-only"));
    });
    tally(bad_, "a read-only page file where a split writes", [&] {
        const std::wstring folder = emptyFolder(L"robust-read-only");
        const std::wstring kept = folder + L"\\five_2.docx";
        CopyFileW(third.c_str(), kept.c_str(), FALSE);
        SetFileAttributesW(kept.c_str(), FILE_ATTRIBUTE_READONLY);
        const std::wstring told = split({document(L"five.docx")}, folder);
        EXPECT_NE(told.find(L"已生成 1 个文件,无法保存第 2 页: " + kept + L" ("), std::wstring::npos) << toUtf8(told);
        EXPECT_NE(told.find(L"只读"), std::wstring::npos) << toUtf8(told);
        EXPECT_TRUE(fileBytes(kept) == inputs_[L"丙.docx"]);
        SetFileAttributesW(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
        expectCleanEnd(folder);
    });

    // Faults part-way: in a merge before its third document opens (after the
    // first insertion), in a split before its second page file is saved. A
    // file of the output's name is already there and must stay as it was.
    struct Fault {
        std::string what;
        std::function<void(const std::wstring& output)> act;
        std::wstring cause;  // in the one message the program shows
        bool engineKilled = false;
        // The split needs soffice only while it cuts the pages, before its first file.
        int splitStep = 2;
    };
    const Fault faults[] = {
        {"the server killed", [](const std::wstring&) { endServers(); }, L"与 Word 的连接已断开"},
        {"soffice killed", [](const std::wstring&) { signalAll("soffice.bin", killLinuxProcess); }, L"LibreOffice", false,
         1},
        {"the engine killed", [](const std::wstring&) { signalAll("tessaro-engine", killLinuxProcess); },
         L"文档引擎已退出", true},
        {"soffice frozen", [](const std::wstring&) { signalAll("soffice.bin", stopLinuxProcess); }, L"无响应", false, 1},
        {"the output folder removed", [](const std::wstring& folder) { fs::remove_all(fs::path(folder)); },
         L"文件夹不存在"},
    };
    for (const Fault& fault : faults) {
        const bool frozen = fault.cause == L"无响应";
        // A frozen soffice is given up after this many seconds, not the minute a real document may need.
        SetEnvironmentVariableW(L"TESSARO_ENGINE_CALL_TIMEOUT", frozen ? L"3" : nullptr);
        const bool removed = fault.cause == L"文件夹不存在";
        tally(faults_, fault.what + " mid-merge", [&] {
            const std::wstring folder = emptyFolder(L"robust-fault");
            const std::wstring out = folder + L"\\合并.docx";
            CopyFileW(third.c_str(), out.c_str(), FALSE);
            const std::wstring told = merge({first, document(L"乙.doc"), third, document(L"five.docx")}, out, [&] {
                return withFault(tessaro::word::StartInstalledWord(), Step::kOpen, 3, [&] { fault.act(folder); });
            });
            EXPECT_NE(told.find(fault.cause), std::wstring::npos) << toUtf8(told);
            if (removed) {
                EXPECT_NE(told.find(L"无法保存文档: " + out), std::wstring::npos) << toUtf8(told);
                EXPECT_FALSE(exists(folder)) << "the folder must not come back";
            } else {
                EXPECT_EQ(told.rfind(L"Word 已意外退出,合并未完成: ", 0), 0u) << toUtf8(told);
                EXPECT_EQ(told.find(L'\n'), std::wstring::npos) << toUtf8(told);
                EXPECT_TRUE(fileBytes(out) == inputs_[L"丙.docx"]) << "the earlier output changed";
            }
            expectCleanEnd(folder, fault.engineKilled);
        });
        tally(faults_, fault.what + " mid-split", [&] {
            const std::wstring folder = emptyFolder(L"robust-fault");
            const std::wstring kept = folder + L"\\five_5.docx";
            CopyFileW(third.c_str(), kept.c_str(), FALSE);
            const std::wstring told = split({document(L"five.docx")}, folder, [&] {
                return withFault(tessaro::word::StartInstalledWord(), Step::kSave, fault.splitStep,
                                 [&] { fault.act(folder); });
            });
            EXPECT_NE(told.find(fault.cause), std::wstring::npos) << toUtf8(told);
            // It says how many page files it wrote, and those are there, whole.
            int written = 0;
            while (exists(folder + L"\\five_" + std::to_wstring(written + 1) + L".docx") && written < 4)
                ++written;
            EXPECT_NE(told.find(L"已生成 " + std::to_wstring(removed ? 1 : written) + L" 个文件"), std::wstring::npos)
                << toUtf8(told);
            if (removed) {
                EXPECT_FALSE(exists(folder)) << "the folder must not come back";
            } else {
                EXPECT_EQ(told.rfind(L"Word 已意外退出,分割未完成: ", 0), 0u) << toUtf8(told);
                EXPECT_LT(written, 4);
                EXPECT_TRUE(fileBytes(kept) == inputs_[L"丙.docx"]) << "the earlier page file changed";
            }
            expectCleanEnd(folder, fault.engineKilled);
        });
    }
    SetEnvironmentVariableW(L"TESSARO_ENGINE_CALL_TIMEOUT", nullptr);

    // The program itself killed part-way: its Word, the engine and soffice
    // end with it, and nothing is written.
    for (const bool isMerge : {true, false}) {
        tally(faults_, isMerge ? "the program killed mid-merge" : "the program killed mid-split", [&] {
            const std::wstring folder = emptyFolder(L"robust-fault");
            const std::wstring kept = folder + (isMerge ? L"\\合并.docx" : L"\\five_5.docx");
            CopyFileW(third.c_str(), kept.c_str(), FALSE);
            const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
            ASSERT_TRUE(ready);
            SetHandleInformation(ready, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
            std::wstring command = L"\"" WORD_JOB_W L"\" " + std::to_wstring(reinterpret_cast<uintptr_t>(ready));
            command += isMerge ? L" merge \"" + kept + L"\" \"" + first + L"\" \"" + document(L"乙.doc") + L"\" \"" +
                                     third + L"\""
                               : L" split \"" + folder + L"\" \"" + document(L"five.docx") + L"\"";
            STARTUPINFOW startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION program{};
            ASSERT_TRUE(
                CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &program));
            EXPECT_EQ(WaitForSingleObject(ready, 120000), WAIT_OBJECT_0) << "the job never came to its step";
            TerminateProcess(program.hProcess, 1);
            WaitForSingleObject(program.hProcess, 10000);
            CloseHandle(program.hThread);
            CloseHandle(program.hProcess);
            CloseHandle(ready);
            EXPECT_TRUE(fileBytes(kept) == inputs_[L"丙.docx"]);
            if (!isMerge)
                EXPECT_TRUE(completeZip(folder + L"\\five_1.docx"));
            expectCleanEnd(folder);
        });
    }

    // A killed engine cleans nothing; the next one to start does.
    {
        Reader reader;
        reader.pages(third);
        reader.quit();
    }
    EXPECT_TRUE(nothingLeft(30s));
    EXPECT_TRUE(names(temp_).empty()) << "temporary entries left";

    const std::wstring line = L"Word server: " + summary();
    std::cout << toUtf8(line) << "\n";
    std::ofstream(fs::path(ROBUSTNESS_SUMMARY_W)) << toUtf8(line) << "\n";
}

}  // namespace
}  // namespace wordsrv::test
