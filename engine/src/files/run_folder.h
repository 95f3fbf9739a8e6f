#pragma once
#include <string>

namespace tessaro {

// The one folder under $TMPDIR (or /tmp) that holds everything this process
// keeps on the side: soffice's profile, working copies, cut pages and
// LibreOffice's own temporary files (TMPDIR points inside it from then on).
// It goes at exit. An engine that was killed cannot clean up after itself,
// so on first use the folders of runs whose process is gone are removed,
// with the half-written outputs they had noted.
const std::string& runFolder();

// Notes a file this run writes outside its folder under a temporary name,
// so the sweep after a crash removes it too. The file (if still there) and
// the note go with this object.
class PartialFile {
public:
    explicit PartialFile(const std::string& path);
    ~PartialFile();
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string note_;
};

// Names of partial files start with this, so a sweep never removes anything else.
extern const char* const kPartialPrefix;

// True when LibreOffice's pipes (sockets named after the pipe) fit a socket
// address in `folder`, so that OSL_SOCKET_PATH may point there.
bool holdsOfficePipes(const std::string& folder);

}  // namespace tessaro
