#include "viewer.h"

#include "engine_error.h"
#include "soffice.h"
#include "uno_util.h"

#include <cstdlib>
#include <sys/wait.h>

namespace tessaro {

namespace {

// How long a first run on a new profile takes to set it up and exit.
constexpr std::chrono::seconds kProfileLimit(20);

}  // namespace

void Viewer::start(const std::string& path)
{
    windows_.emplace_back(TESSARO_SOFFICE_BIN,
                          std::vector<std::string>{"--nologo", "--norestore", "--view",
                                                   "-env:UserInstallation=" + utf8(fileUrl(profile_->path())), path});
}

bool Viewer::show(const std::string& path)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return false;
    const bool fresh = !profile_;
    if (fresh)
        profile_ = std::make_unique<TempDir>("tessaro-viewer");
    start(path);
    if (fresh) {
        // A new profile is set up by a first run that then exits with 81.
        int status = 0;
        if (windows_.back().waitFor(kProfileLimit, &status)) {
            if (!WIFEXITED(status) || WEXITSTATUS(status) != Soffice::kProfileCreatedStatus)
                throw EngineError("无法显示文档 (LibreOffice did not start): " + path);
            start(path);
        }
    }
    return true;
}

}  // namespace tessaro
