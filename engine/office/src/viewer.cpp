#include "viewer.h"

#include "engine_error.h"
#include "soffice.h"
#include "uno_util.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <thread>

namespace tessaro {

namespace {

// How long a first run on a new profile takes to set it up and exit.
constexpr std::chrono::seconds kProfileLimit(20);

// The viewer's settings, in its profile before the first run: menus and
// dialogs in Chinese; a window of its own size and place, where without a
// window manager it would cover the whole screen and the program with it;
// no lock files, since the engine keeps the document open (unchanged, never
// saved) and a lock would make the user's copy read-only; and no tip of the
// day over the document.
constexpr char kSettings[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Linguistic/General"><prop oor:name="UILocale" oor:op="fuse"><value>zh-CN</value></prop></item>
<item oor:path="/org.openoffice.Setup/Office/Factories/org.openoffice.Setup:Factory['com.sun.star.text.TextDocument']"><prop oor:name="ooSetupFactoryWindowAttributes" oor:op="fuse"><value>60,40,1000,760;1;0,0,0,0;</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseDocumentOOoLockFile" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
)";

// How long a window may take to come up: a first run and a second one of
// LibreOffice on a busy machine.
constexpr std::chrono::seconds kWindowLimit(60);

// The number of LibreOffice windows on the display, as xwininfo lists them.
int windowsOnDisplay()
{
    FILE* list = popen("xwininfo -root -tree 2>/dev/null", "r");
    if (!list)
        return -1;
    std::string text;
    char buffer[4096];
    while (size_t got = fread(buffer, 1, sizeof buffer, list))
        text.append(buffer, got);
    // No xwininfo, or no display it can reach: nothing to count.
    if (pclose(list) != 0)
        return -1;
    int count = 0;
    // By class: a title with Chinese in it is listed only as COMPOUND_TEXT.
    const std::string writer = "\"libreoffice-writer\")";
    for (size_t at = text.find(writer); at != std::string::npos; at = text.find(writer, at + 1))
        ++count;
    return count;
}

void writeSettings(const std::string& profile)
{
    std::filesystem::create_directories(profile + "/user");
    std::ofstream file(profile + "/user/registrymodifications.xcu", std::ios::binary);
    file << kSettings;
    if (!file.flush())
        throw EngineError("无法写入 LibreOffice 设置 (cannot write the viewer's settings): " + profile);
}

}  // namespace

void Viewer::start(const std::string& path)
{
    windows_.emplace_back(TESSARO_SOFFICE_BIN,
                          std::vector<std::string>{"--nologo", "--norestore",
                                                   "-env:UserInstallation=" + utf8(fileUrl(profile_->path())), path});
}

bool Viewer::show(const std::string& path)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return false;
    const int before = windowsOnDisplay();
    const bool fresh = !profile_;
    if (fresh) {
        profile_ = std::make_unique<TempDir>("tessaro-viewer");
        writeSettings(profile_->path());
    }
    start(path);
    // A new profile is set up by a first run that exits with 81 and leaves
    // the document to a second run. Then wait, within bounds, until the
    // window is up, so that whatever the program shows next (its final
    // message) comes above the document and not under it. Without xwininfo
    // only the first run is waited for.
    bool firstRun = fresh;
    const auto deadline = std::chrono::steady_clock::now() + (before < 0 ? kProfileLimit : kWindowLimit);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (firstRun && windows_.back().poll(&status)) {
            if (!WIFEXITED(status) || WEXITSTATUS(status) != Soffice::kProfileCreatedStatus)
                throw EngineError("无法显示文档 (LibreOffice did not start): " + path);
            firstRun = false;
            start(path);
        }
        if (before < 0 ? !firstRun : windowsOnDisplay() > before)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return true;
}

}  // namespace tessaro
