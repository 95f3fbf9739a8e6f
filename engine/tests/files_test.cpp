// Files the engine writes and the temporary folders it keeps, without
// LibreOffice: complete writes or none, and nothing left behind by a run,
// even one that was killed.
#include "files/atomic_write.h"
#include "engine_error.h"
#include "files/run_folder.h"
#include "files/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> names(const std::string& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder))
        found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
}

class AtomicWrite : public ::testing::Test {
protected:
    void SetUp() override { std::ofstream(target_) << "earlier"; }
    TempDir dir_{"tessaro-files-test"};
    const std::string target_ = dir_.file("目标 文档.docx");
};

TEST_F(AtomicWrite, ReplacesTheFileOnlyOnceTheNewOneIsWhole)
{
    writeAtomically(target_, [&](const std::string& temporary) {
        EXPECT_EQ(temporary.substr(0, dir_.path().size() + 1), dir_.path() + "/") << "renamed within one folder";
        EXPECT_EQ(contents(target_), "earlier") << "the old file stays while the new one is written";
        std::ofstream(temporary) << "new";
    });
    EXPECT_EQ(contents(target_), "new");
    EXPECT_EQ(names(dir_.path()), std::vector<std::string>{"目标 文档.docx"});
}

TEST_F(AtomicWrite, AFailedOrEmptyWriteKeepsTheEarlierFileAndLeavesNothing)
{
    const std::vector<std::function<void(const std::string&)>> failures{
        [](const std::string& temporary) {
            std::ofstream(temporary) << "half";
            throw EngineError("disk full");
        },
        [](const std::string& temporary) { std::ofstream(temporary).flush(); },
        [](const std::string&) {},
        [](const std::string& temporary) {
            // What LibreOffice leaves when its write fails: its lock file beside the document.
            const auto slash = temporary.rfind('/');
            std::ofstream(temporary.substr(0, slash + 1) + ".~lock." + temporary.substr(slash + 1) + "#") << "lock";
            throw EngineError("disk full");
        },
    };
    for (const auto& write : failures) {
        EXPECT_THROW(writeAtomically(target_, write), EngineError);
        EXPECT_EQ(contents(target_), "earlier");
        EXPECT_EQ(names(dir_.path()), std::vector<std::string>{"目标 文档.docx"});
    }
    EXPECT_THROW(writeAtomically(dir_.file("no such folder/x.docx"),
                                 [](const std::string& temporary) { std::ofstream(temporary) << "x"; }),
                 EngineError);
}

// Each run is a process of its own with its run folder under `base_`.
class RunFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(base_);
        fs::create_directory(outputs_);
    }

    FILE* start(const std::string& args, const char* direction = "r")
    {
        return popen(("TMPDIR='" + base_ + "' " RUN_FOLDER_PROBE " " + args).c_str(), direction);
    }
    int run(const std::string& args)
    {
        FILE* probe = start(args);
        return probe ? WEXITSTATUS(pclose(probe)) : -1;
    }
    std::vector<std::string> runs() { return names(base_); }

    TempDir dir_{"tessaro-runs-test"};
    const std::string base_ = dir_.file("base");
    const std::string outputs_ = dir_.file("outputs");
};

TEST_F(RunFolders, ARunCleansUpAtExitAndTheNextRunRemovesWhatAKilledOneLeft)
{
    EXPECT_EQ(run("clean"), 0);
    EXPECT_TRUE(runs().empty()) << "a run that ends leaves nothing";

    const std::string partial = outputs_ + "/" + kPartialPrefix + "1.tmp";
    EXPECT_EQ(run("killed '" + partial + "'"), 0);
    ASSERT_EQ(runs().size(), 1u) << "a killed run leaves its folder";
    ASSERT_TRUE(fs::exists(partial));
    std::ofstream(outputs_ + "/kept.docx") << "someone else's";

    // The next run sweeps; it holds its folder for as long as its input stays open.
    const std::string killed = runs()[0];
    FILE* live = start("hold", "w");
    ASSERT_TRUE(live);
    for (int i = 0; i < 200 && (runs().empty() || runs()[0] == killed || fs::exists(partial)); ++i)
        usleep(20000);
    EXPECT_EQ(runs().size(), 1u);
    EXPECT_NE(runs()[0], killed);
    EXPECT_FALSE(fs::exists(partial)) << "the killed run's half-written output goes too";
    EXPECT_TRUE(fs::exists(outputs_ + "/kept.docx"));

    EXPECT_EQ(run("clean"), 0);
    EXPECT_EQ(runs().size(), 1u) << "a live run's folder is never swept";
    EXPECT_EQ(WEXITSTATUS(pclose(live)), 0);
    EXPECT_TRUE(runs().empty());
}

}  // namespace
}  // namespace tessaro
