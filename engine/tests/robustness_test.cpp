// The engine's command line against bad inputs and faults. Every run must
// end with its reason, leave the inputs byte for byte as they were, leave no
// half-written file where the output goes and, once the next engine has
// started, no process and no temporary entry. The figures are printed at
// the end and kept in ROBUSTNESS_SUMMARY for the test script.
#include "files/remove_tree.h"
#include "engine_error.h"
#include "fixtures.h"
#include "pdf_text.h"
#include "protocol/session.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tessaro::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

struct Figures {
    int badInputs = 0;
    int faults = 0;
    std::vector<std::string> mishandled;
    std::vector<std::string> notes;
    bool inputsUnchanged = true;
    size_t processesLeft = 0;
    size_t tempLeft = 0;
};
Figures figures;

std::vector<std::string> names(const std::string& folder)
{
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        found.push_back(entry.path().filename().string());
    return found;
}

size_t hash(const std::string& path) { return std::hash<std::string>()(readBytes(path)); }

// Engines and soffice processes started by this suite: they carry its TMPDIR.
std::vector<pid_t> ourProcesses(const std::string& temp, const char* name)
{
    std::vector<pid_t> found;
    for (const std::string& entry : names("/proc")) {
        const pid_t pid = std::atoi(entry.c_str());
        if (pid <= 0 || readBytes("/proc/" + entry + "/comm") != std::string(name) + "\n")
            continue;
        const std::string stat = readBytes("/proc/" + entry + "/stat");
        if (stat.find(") Z") == std::string::npos &&
            readBytes("/proc/" + entry + "/environ").find("TMPDIR=" + temp) != std::string::npos)
            found.push_back(pid);
    }
    return found;
}

// A .docx that was written to its end: a zip with its closing record.
bool completeZip(const std::string& path)
{
    const std::string bytes = readBytes(path);
    return bytes.size() > 22 && bytes.rfind(std::string("PK\x05\x06", 4)) != std::string::npos;
}

// One run of the engine's command line with this suite's temporary folder.
class EngineRun {
public:
    EngineRun(const std::string& temp, const std::vector<std::string>& args, const std::vector<std::string>& env = {})
        : temp_(temp), output_(temp + ".output")
    {
        pid_ = fork();
        if (pid_ == 0) {
            const int fd = ::open(output_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(fd, 1);
            dup2(fd, 2);
            setenv("TMPDIR", temp.c_str(), 1);
            for (const auto& assignment : env)
                putenv(const_cast<char*>(assignment.c_str()));
            std::vector<char*> argv{const_cast<char*>(TESSARO_ENGINE_BINARY)};
            for (const auto& arg : args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            execv(TESSARO_ENGINE_BINARY, argv.data());
            _exit(127);
        }
    }
    ~EngineRun()
    {
        if (!done_) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    pid_t pid() const { return pid_; }

    // soffice once it has run for a while, or -1. On a new profile the first
    // soffice only sets the profile up and exits; the one that stays does the work.
    pid_t soffice(std::chrono::milliseconds limit = 60s)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        pid_t seen = -1;
        auto since = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() < deadline) {
            const auto found = ourProcesses(temp_, "soffice.bin");
            const pid_t now = found.empty() ? -1 : found[0];
            if (now != seen) {
                seen = now;
                since = std::chrono::steady_clock::now();
            } else if (seen > 0 && std::chrono::steady_clock::now() - since > 2s) {
                return seen;
            }
            std::this_thread::sleep_for(50ms);
        }
        return -1;
    }

    // Exit status (128 + signal when killed), or -1 after `limit`.
    int finish(std::chrono::milliseconds limit = 180s)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (std::chrono::steady_clock::now() < deadline) {
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                done_ = true;
                output = readBytes(output_);
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(20ms);
        }
        return -1;
    }

    std::string output;

private:
    std::string temp_;
    std::string output_;
    pid_t pid_ = -1;
    bool done_ = false;
};

class Robustness : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = std::make_unique<TempDir>("tessaro-robustness");
        // The engines' own temporary folder, short enough for LibreOffice's pipes to go in it too.
        std::string temp = "/tmp/tessaro-suite-XXXXXX";
        temp_ = mkdtemp(temp.data()) ? temp : dir_->path();
        Session session(std::chrono::seconds(300));
        Office& office = session.office();
        writeDocument(office, {"甲", 2, false, 0, false, true, false, ""}, input("a.docx"));
        writeDocument(office, {"乙", 2, false, 6, false, false, false, ""}, input("b.doc"));
        writeDocument(office, {"千", 1000, false, 0, false, false, false, ""}, input("thousand.docx"));
        writeTableDocument("表", 700, input("table.docx"));
        writeDocument(office, {"密", 1, false, 0, false, false, false, "secret"}, input("locked.doc"));
        // LibreOffice writes no encrypted .docx; Word's are compound files, as an encrypted .doc is.
        fs::copy_file(input("locked.doc"), input("locked.docx"));
        writeTruncated(input("a.docx"), input("truncated.docx"));
        writeTruncated(input("b.doc"), input("truncated.doc"));
        writeGarbage(input("damaged.docx"));
        writeGarbage(input("damaged.doc"));
        std::ofstream(input("empty.docx"));
        std::ofstream(input("page.docx")) << "<!DOCTYPE html>\n<html><head><title>报告</title></head>"
                                             "<body><h1>报告</h1><p>这是一个网页。</p></body></html>\n";
        std::ofstream(input("notes.docx")) << "这是一个纯文本文件，不是 Word 文档。\nplain text\n";
        for (const auto& name : names(inputs()))
            hashes_[name] = hash(input(name));
    }

    static void TearDownTestSuite()
    {
        for (const auto& [name, bytes] : hashes_)
            if (hash(input(name)) != bytes)
                figures.inputsUnchanged = false;
        figures.processesLeft = ourProcesses(temp(), "soffice.bin").size() + ourProcesses(temp(), "tessaro-engine").size();
        figures.tempLeft = names(temp()).size();
        removeTree(temp_);
        std::remove((temp_ + ".output").c_str());
        dir_.reset();
    }

    void TearDown() override
    {
        // The next engine to start removes what a killed one left.
        EXPECT_TRUE(ourProcesses(temp(), "soffice.bin").empty());
        EXPECT_TRUE(ourProcesses(temp(), "tessaro-engine").empty());
    }

    static std::string inputs() { return dir_->path() + "/in"; }
    static std::string input(const std::string& name)
    {
        fs::create_directories(inputs());
        return inputs() + "/" + name;
    }
    static const std::string& temp() { return temp_; }
    static std::string folder(const std::string& name)
    {
        const std::string path = dir_->path() + "/" + name;
        fs::remove_all(path);
        fs::create_directories(path);
        return path;
    }

    // Counts the case as handled when it added no failure.
    static void tally(int& kind, const std::string& what, const std::function<void()>& check)
    {
        ++kind;
        const int before = ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
        {
            SCOPED_TRACE(what);
            check();
        }
        const auto* result = ::testing::UnitTest::GetInstance()->current_test_info()->result();
        for (int i = before; i < result->total_part_count(); ++i)
            if (result->GetTestPartResult(i).failed()) {
                figures.mishandled.push_back(what);
                break;
            }
    }

    // Nothing but complete files where the output goes, and nothing of the run in the temporary folder.
    static void expectClean(const std::string& outputs)
    {
        for (const std::string& name : names(outputs)) {
            EXPECT_EQ(name.rfind(".~", 0), std::string::npos) << "half-written file left: " << name;
            if (name.size() > 5 && name.substr(name.size() - 5) == ".docx") {
                EXPECT_TRUE(completeZip(outputs + "/" + name)) << "truncated: " << name;
            }
        }
        EXPECT_TRUE(names(temp()).empty()) << "temporary entries left: " << names(temp()).size();
    }

    static std::unique_ptr<TempDir> dir_;
    static std::string temp_;
    static std::map<std::string, size_t> hashes_;
};

std::unique_ptr<TempDir> Robustness::dir_;
std::string Robustness::temp_;
std::map<std::string, size_t> Robustness::hashes_;

const std::map<std::string, std::string> kBadInputs{
    {"missing.docx", "不存在"},  {"truncated.docx", "损坏"}, {"truncated.doc", "损坏"},   {"damaged.docx", "损坏"},
    {"damaged.doc", "损坏"},     {"locked.docx", "密码"},    {"locked.doc", "密码"},      {"empty.docx", "文件为空"},
    {"page.docx", "网页"},       {"notes.docx", "纯文本"},
};

TEST_F(Robustness, BadInputsAreRefusedWithTheirReasonWhereverTheyStand)
{
    const std::string out = folder("bad-out");
    {
        // As the Word server asks: opened, inserted after other documents, split.
        Session session(std::chrono::seconds(60));
        const int merged = session.open(input("a.docx"), true);
        const int pages = session.pageCount(merged);
        for (const auto& [name, reason] : kBadInputs) {
            const std::string path = input(name);
            tally(figures.badInputs, name + " opened", [&] {
                const std::string error = failure([&] { session.open(path, true); });
                EXPECT_NE(error.find(reason), std::string::npos) << error;
                EXPECT_NE(error.find(path), std::string::npos) << error;
            });
            tally(figures.badInputs, name + " inserted", [&] {
                session.endKey(merged);
                const std::string error = failure([&] { session.insertFile(merged, path); });
                EXPECT_NE(error.find(reason), std::string::npos) << error;
                EXPECT_EQ(session.pageCount(merged), pages);
            });
            tally(figures.badInputs, name + " split", [&] {
                const std::string error = failure([&] { session.split(path, out, 0); });
                EXPECT_NE(error.find(reason), std::string::npos) << error;
                EXPECT_TRUE(names(out).empty());
            });
        }
    }
    // Through the command line, where a web page first in a merge used to come out as a failed save.
    const std::string kept = out + "/kept.docx";
    fs::copy_file(input("a.docx"), kept);
    const std::vector<std::pair<std::vector<std::string>, std::string>> runs{
        {{"merge", kept, input("page.docx"), input("a.docx")}, "网页"},
        {{"merge", kept, input("a.docx"), input("empty.docx")}, "文件为空"},
        {{"split", input("locked.docx"), out}, "密码"},
    };
    for (const auto& [args, reason] : runs) {
        tally(figures.badInputs, args[0] + " " + args[args[0] == "merge" ? 2 : 1] + " on the command line", [&] {
            EngineRun run(temp(), args);
            EXPECT_EQ(run.finish(), 1) << run.output;
            EXPECT_NE(run.output.find(reason), std::string::npos) << run.output;
            EXPECT_EQ(hash(kept), hashes_["a.docx"]);
            expectClean(out);
        });
    }
}

TEST_F(Robustness, CountsThatAreNotWholeNumbersAreRefused)
{
    for (const char* count : {"abc", "0", "2.5", "-1", ""}) {
        tally(figures.badInputs, std::string("--files '") + count + "'", [&] {
            EngineRun run(temp(), {"split", "--files", count, input("a.docx"), folder("count-out")});
            EXPECT_EQ(run.finish(), 1) << run.output;
            EXPECT_TRUE(names(dir_->path() + "/count-out").empty());
        });
    }
}

TEST_F(Robustness, AnOutputThatIsAnInputIsRefused)
{
    for (const char* name : {"a.docx", "b.doc"}) {
        tally(figures.badInputs, std::string("output = input ") + name, [&] {
            EngineRun run(temp(), {"merge", input(name), input("a.docx"), input("b.doc")});
            EXPECT_EQ(run.finish(), 1) << run.output;
            EXPECT_NE(run.output.find("输出文件"), std::string::npos) << run.output;
            EXPECT_EQ(hash(input(name)), hashes_[name]);
        });
    }
}

// Renaming the result into place would replace it whatever its permissions.
TEST_F(Robustness, AReadOnlyOutputIsKept)
{
    const std::string out = folder("read-only");
    const std::string kept = out + "/kept.docx";
    fs::copy_file(input("a.docx"), kept);
    ::chmod(kept.c_str(), 0444);
    tally(figures.badInputs, "a read-only output", [&] {
        EngineRun run(temp(), {"merge", kept, input("a.docx"), input("b.doc")});
        EXPECT_EQ(run.finish(), 1) << run.output;
        EXPECT_NE(run.output.find("只读"), std::string::npos) << run.output;
        EXPECT_EQ(hash(kept), hashes_["a.docx"]);
        expectClean(out);
    });
}

TEST_F(Robustness, UnusualPathsManyInputsAndLongDocumentsWork)
{
    // Names outside GBK (Korean, a supplementary-plane character, an emoji) and a path far past 260 characters.
    std::string deep = folder("路径");
    while (deep.size() < 300)
        deep += "/很长的文件夹名称 long folder name";
    fs::create_directories(deep);
    const std::string odd = deep + "/한국어 𠀀 😀 ßü.docx";
    fs::copy_file(input("a.docx"), odd);
    tally(figures.badInputs, "non-GBK names in a 260+ character path", [&] {
        EngineRun merge(temp(), {"merge", deep + "/합본 😀.docx", odd, input("b.doc")});
        EXPECT_EQ(merge.finish(), 0) << merge.output;
        EngineRun split(temp(), {"split", odd, deep});
        EXPECT_EQ(split.finish(), 0) << split.output;
        EXPECT_TRUE(completeZip(deep + "/한국어 𠀀 😀 ßü_2.docx"));
        expectClean(deep);
    });

    tally(figures.badInputs, "100 inputs", [&] {
        std::vector<std::string> args{"merge", "--no-break", folder("many") + "/all.docx"};
        for (int i = 0; i < 100; ++i)
            args.push_back(input(i % 2 ? "a.docx" : "b.doc"));
        EngineRun run(temp(), args);
        EXPECT_EQ(run.finish(), 0) << run.output;
        EXPECT_NE(run.output.find("merged 100 documents"), std::string::npos) << run.output;
        expectClean(dir_->path() + "/many");
    });

    tally(figures.badInputs, "a 1,000-page document", [&] {
        const std::string out = folder("thousand");
        EngineRun merge(temp(), {"merge", out + "/more.docx", input("thousand.docx"), input("a.docx")});
        EXPECT_EQ(merge.finish(), 0) << merge.output;
        EXPECT_NE(merge.output.find(": 1002 pages"), std::string::npos) << merge.output;
        expectClean(out);
    });

    tally(figures.badInputs, "a document that is one 700-row table", [&] {
        const std::string out = folder("table");
        EngineRun merge(temp(), {"merge", out + "/merged.docx", input("table.docx"), input("a.docx")});
        EXPECT_EQ(merge.finish(), 0) << merge.output;
        EngineRun split(temp(), {"split", input("table.docx"), out});
        EXPECT_EQ(split.finish(), 0) << split.output;
        EXPECT_TRUE(completeZip(out + "/table_2.docx"));
        expectClean(out);
    });
}

// A merge of many documents and a split of a long one, with an earlier
// result at the output that must survive whatever happens.
struct Job {
    std::string what;
    std::vector<std::string> args;
    std::string out;
    std::string kept;
};

class Faults : public Robustness {
protected:
    static Job merge(const std::string& out, int documents = 60)
    {
        Job job{"merge", {"merge", out + "/merged.docx"}, out, out + "/merged.docx"};
        for (int i = 0; i < documents; ++i)
            job.args.push_back(input(i % 2 ? "a.docx" : "b.doc"));
        fs::copy_file(input("a.docx"), job.kept);
        return job;
    }
    static Job split(const std::string& out)
    {
        // Long enough that no split is over a moment into its work, however fast it gets.
        Job job{"split", {"split", input("thousand.docx"), out}, out, out + "/thousand_3.docx"};
        fs::copy_file(input("a.docx"), job.kept);
        return job;
    }
    static std::vector<Job> jobs(const std::string& name)
    {
        return {merge(folder(name + "-merge")), split(folder(name + "-split"))};
    }

    // Runs the job, does `fault` a moment into its work, and checks the run failed with `reason`.
    static void run(const std::string& fault, const Job& job, const std::function<void(EngineRun&, pid_t)>& act,
                    const std::string& reason, const std::vector<std::string>& env = {})
    {
        tally(figures.faults, fault + " mid-" + job.what, [&] {
            EngineRun run(temp(), job.args, env);
            const pid_t soffice = run.soffice();
            ASSERT_GT(soffice, 0);
            std::this_thread::sleep_for(1s);
            act(run, soffice);
            const int status = run.finish();
            EXPECT_NE(status, 0) << "the fault came too late: " << run.output;
            EXPECT_NE(run.output.find(reason), std::string::npos) << run.output;
            if (status == 128 + SIGKILL) {
                // A killed engine cleans nothing; the next one does.
                EngineRun next(temp(), {"pages", input("a.docx")});
                EXPECT_EQ(next.finish(), 0) << next.output;
            }
            if (fs::exists(job.out)) {
                EXPECT_EQ(hash(job.kept), hashes_["a.docx"]);
                expectClean(job.out);
            }
            EXPECT_TRUE(names(temp()).empty()) << "temporary entries left";
        });
    }
};

TEST_F(Faults, AKilledSofficeEndsTheRunWithItsCause)
{
    for (const Job& job : jobs("soffice-killed"))
        run("soffice killed", job, [](EngineRun&, pid_t soffice) { ::kill(soffice, SIGKILL); }, "LibreOffice");
}

TEST_F(Faults, AKilledEngineLeavesNothingOnceTheNextOneStarts)
{
    for (const Job& job : jobs("engine-killed"))
        run("engine killed", job, [](EngineRun& run, pid_t) { ::kill(run.pid(), SIGKILL); }, "");
}

TEST_F(Faults, AFrozenSofficeIsEndedAfterTheCallLimit)
{
    for (const Job& job : jobs("soffice-frozen"))
        run("soffice frozen", job, [](EngineRun&, pid_t soffice) { ::kill(soffice, SIGSTOP); }, "LibreOffice",
            {"TESSARO_ENGINE_CALL_TIMEOUT=3"});
}

TEST_F(Faults, AnOutputFolderRemovedMidSplitIsAnError)
{
    const Job job = split(folder("removed"));
    // The office may be writing into it at that moment: removed until it is gone.
    const auto removeFolder = [&](EngineRun&, pid_t) {
        for (std::error_code busy; fs::exists(job.out); busy.clear())
            fs::remove_all(job.out, busy);
    };
    run("output folder removed", job, removeFolder, "文件夹不存在");
    EXPECT_FALSE(fs::exists(job.out)) << "the folder must not come back";
}

TEST_F(Faults, AFullDiskLeavesNoTruncatedFileAndKeepsTheEarlierOne)
{
    for (const std::string kind : {"merge", "split"}) {
        const std::string disk = folder("full-" + kind);
        if (::mount("tessaro-full", disk.c_str(), "tmpfs", 0, "size=256k") != 0) {
            figures.notes.push_back("full disk not tried: mounting a tmpfs is not permitted here");
            GTEST_SKIP() << "mounting a tmpfs is not permitted here";
        }
        const Job job = kind == "merge" ? merge(disk, 3) : split(disk);
        {
            std::ofstream filler(disk + "/filler", std::ios::binary);
            const std::string block(4096, 'x');
            while (filler.write(block.data(), block.size()) && filler.flush()) {
            }
        }
        tally(figures.faults, "full disk during a " + kind, [&] {
            EngineRun run(temp(), job.args);
            EXPECT_EQ(run.finish(), 1) << run.output;
            EXPECT_NE(run.output.find("保存失败"), std::string::npos) << run.output;
            EXPECT_EQ(hash(job.kept), hashes_["a.docx"]);
            expectClean(disk);
        });
        ::umount2(disk.c_str(), MNT_DETACH);
    }
}

// Prints the figures once every case has run.
class Summary : public ::testing::Environment {
public:
    void TearDown() override
    {
        std::string line = std::to_string(figures.badInputs) + " bad inputs, " + std::to_string(figures.faults) +
                           " faults: ";
        if (figures.mishandled.empty()) {
            line += "all handled";
        } else {
            line += std::to_string(figures.mishandled.size()) + " not handled (";
            for (size_t i = 0; i < figures.mishandled.size(); ++i)
                line += (i ? "; " : "") + figures.mishandled[i];
            line += ")";
        }
        line += figures.inputsUnchanged ? "; inputs unchanged; " : "; INPUTS CHANGED; ";
        line += std::to_string(figures.processesLeft) + " processes, " + std::to_string(figures.tempLeft) +
                " temporary entries left";
        for (const auto& note : figures.notes)
            line += "\n  (" + note + ")";
        std::cout << "engine command line: " << line << "\n";
        std::ofstream(ROBUSTNESS_SUMMARY) << "engine command line: " << line << "\n";
    }
};

const auto* const summary = ::testing::AddGlobalTestEnvironment(new Summary);

}  // namespace
}  // namespace tessaro::test
