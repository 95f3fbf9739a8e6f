#include "files/remove_tree.h"
#include "office/viewer.h"

#include "processes/child_process.h"
#include "processes/detached_process.h"
#include "engine_error.h"
#include "office/office_windows.h"
#include "files/run_folder.h"
#include "office/soffice.h"
#include "files/temp_dir.h"
#include "office/uno_util.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace tessaro {

namespace {

// How long setting up a new profile may take.
constexpr std::chrono::seconds kProfileLimit(20);
// How long a window may take to come up: a first start of LibreOffice on a
// busy machine.
constexpr std::chrono::seconds kWindowLimit(60);
// How many times a soffice that ended without a window is started again.
constexpr int kStarts = 3;
// How long the viewer may take to close its windows and end.
constexpr std::chrono::seconds kQuitLimit(30);

// The viewer's settings, written once into a new profile: menus and dialogs
// in Chinese; a window of its own size and place, where without a window
// manager it would cover the whole screen and the program with it; no lock
// files, since the engine keeps the document open (unchanged, never saved)
// and a lock would make the user's copy read-only; and no tip of the day over
// the document.
constexpr char kSettings[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Linguistic/General"><prop oor:name="UILocale" oor:op="fuse"><value>zh-CN</value></prop></item>
<item oor:path="/org.openoffice.Setup/Office/Factories/org.openoffice.Setup:Factory['com.sun.star.text.TextDocument']"><prop oor:name="ooSetupFactoryWindowAttributes" oor:op="fuse"><value>60,40,1000,760;1;0,0,0,0;</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseDocumentOOoLockFile" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
)";

std::string userInstallation(const std::string& profile) { return "-env:UserInstallation=" + utf8(fileUrl(profile)); }

// A profile being set up, removed unless it was put in place.
struct Staging {
    std::string path;
    ~Staging()
    {
        if (!path.empty())
            removeTree(path);
    }
};

// A new profile is set up aside and moved into place whole, so that no
// viewer ever starts on half a profile. LibreOffice's first run on it makes
// the profile and exits with 81, asking to be started again; a viewer started
// on a profile without that run shows a full-screen window and restarts.
void ensureProfile(const std::string& profile)
{
    struct stat st {};
    if (::stat(profile.c_str(), &st) == 0)
        return;
    const std::string parent = profile.substr(0, profile.rfind('/'));
    std::error_code error;
    std::filesystem::create_directories(parent, error);
    Staging staging{profile + ".new-XXXXXX"};
    if (!mkdtemp(staging.path.data())) {
        const std::string failed = staging.path;
        staging.path.clear();
        throw EngineError("无法创建 LibreOffice 设置目录 (cannot create the viewer's profile): " + failed + ": " +
                          std::strerror(errno));
    }
    std::filesystem::create_directories(staging.path + "/user", error);
    std::ofstream file(staging.path + "/user/registrymodifications.xcu", std::ios::binary);
    file << kSettings;
    if (!file.flush())
        throw EngineError("无法写入 LibreOffice 设置 (cannot write the viewer's settings): " + profile);
    file.close();
    ChildProcess first(TESSARO_SOFFICE_BIN, {"--headless", "--invisible", "--nologo", "--norestore", "--nodefault",
                                             userInstallation(staging.path)});
    int status = 0;
    if (!first.waitFor(kProfileLimit, &status) || !WIFEXITED(status) ||
        WEXITSTATUS(status) != Soffice::kProfileCreatedStatus)
        throw EngineError("无法显示文档 (LibreOffice could not set up the viewer's profile): " + profile);
    // Another engine may have put its own in place meanwhile; either will do.
    if (::rename(staging.path.c_str(), profile.c_str()) == 0)
        staging.path.clear();
    else if (errno != EEXIST && errno != ENOTEMPTY)
        throw EngineError("无法创建 LibreOffice 设置目录 (cannot create the viewer's profile): " + profile + ": " +
                          std::strerror(errno));
}

// Starts a soffice on the viewer's profile: the viewer itself, or one that
// hands its arguments to the viewer that runs and ends.
pid_t startOffice(const std::string& profile, const std::string& argument, EnvironmentChanges changes = {})
{
    // Its temporary files last as long as it does, not as long as the
    // engine's run folder.
    const std::string temp = profile + "/tmp";
    ::mkdir(temp.c_str(), 0700);
    changes.emplace_back("TMPDIR", temp);
    // A viewer is found through a socket named after its profile; it stays in
    // the profile when it fits (never in the engine's run folder, which goes),
    // else in LibreOffice's own place.
    changes.emplace_back("OSL_SOCKET_PATH",
                         holdsOfficePipes(profile) ? std::optional<std::string>(profile) : std::nullopt);
    return startDetached(TESSARO_SOFFICE_BIN, {"--nologo", "--norestore", userInstallation(profile), argument},
                         changes);
}

// The arguments a process was started with.
std::vector<std::string> commandLine(pid_t pid)
{
    const std::string text = procFile(pid, "cmdline");
    std::vector<std::string> args;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\0', at);
        args.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return args;
}

}  // namespace

std::string Viewer::profile()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/tessaro/viewer";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.config/tessaro/viewer";
    throw EngineError("无法确定 LibreOffice 设置目录 (neither XDG_CONFIG_HOME nor HOME is set)");
}

std::vector<pid_t> Viewer::processes()
{
    const std::string argument = userInstallation(profile());
    std::vector<pid_t> found;
    std::unique_ptr<DIR, int (*)(DIR*)> proc(opendir("/proc"), closedir);
    if (!proc)
        return found;
    while (dirent* entry = readdir(proc.get())) {
        const pid_t pid = std::atoi(entry->d_name);
        if (pid <= 0)
            continue;
        const auto args = commandLine(pid);
        if (!args.empty() && args[0] == TESSARO_SOFFICE_BIN &&
            std::find(args.begin() + 1, args.end(), argument) != args.end())
            found.push_back(pid);
    }
    return found;
}

bool Viewer::show(const std::string& path)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return false;
    const std::string folder = profile();
    ensureProfile(folder);
    const int before = officeWindows();
    const auto deadline = std::chrono::steady_clock::now() + kWindowLimit;
    // soffice.bin started without its launcher ends where it asks to be
    // started again (as after setting up a profile): it is, a few times.
    for (int start = 0; start < kStarts; ++start) {
        const pid_t office = startOffice(folder, path);
        // Wait, within bounds, until the window is up, so that whatever the
        // program shows next (its final message) comes above the document and
        // not under it. A soffice that found the viewer running ends once the
        // viewer has the document open.
        if (before < 0)
            return true;
        while (std::chrono::steady_clock::now() < deadline && !ended(office) && officeWindows() <= before)
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        if (!ended(office) || !processes().empty() || officeWindows() > before)
            return true;
    }
    throw EngineError("无法显示文档 (LibreOffice did not start): " + path);
}

bool Viewer::close()
{
    const std::vector<pid_t> running = processes();
    if (running.empty())
        return true;
    // Handed to the viewer like a document; the soffice that hands it over
    // needs no display of its own.
    startOffice(profile(), ".uno:Quit", {{"SAL_USE_VCLPLUGIN", "svp"}});
    const auto deadline = std::chrono::steady_clock::now() + kQuitLimit;
    while (!std::all_of(running.begin(), running.end(), ended)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return true;
}

}  // namespace tessaro
