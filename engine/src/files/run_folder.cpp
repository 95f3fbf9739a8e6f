#include "files/run_folder.h"

#include "engine_error.h"
#include "files/remove_tree.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace tessaro {

const char* const kPartialPrefix = ".~tessaro-";

namespace {

const std::string kRunPrefix = "tessaro-run-";
const char* const kOwnerFile = "owner";
const char* const kNotePrefix = "partial-";
// A folder is made a moment before its owner is written down; a folder
// without an owner is left alone until it is clearly not being set up.
constexpr std::chrono::seconds kSetUpGrace(60);

// The process's start time, in clock ticks since boot: with the pid it
// names one process, even after the pid is reused.
std::string startTime(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return {};
    const auto close = line.rfind(')');
    if (close == std::string::npos)
        return {};
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 3 && field == "Z")
            return {};
        if (i == 22)
            return field;
    }
    return {};
}

std::string owner() { return std::to_string(getpid()) + " " + startTime(getpid()); }

bool ownerAlive(const std::string& folder)
{
    std::ifstream file(folder + "/" + kOwnerFile);
    pid_t pid = 0;
    std::string started;
    if (!(file >> pid >> started)) {
        struct stat st {};
        return ::stat(folder.c_str(), &st) == 0 &&
               std::chrono::system_clock::now() - std::chrono::system_clock::from_time_t(st.st_mtime) < kSetUpGrace;
    }
    return pid > 0 && startTime(pid) == started;
}

std::vector<std::string> entries(const std::string& folder, const std::string& prefix)
{
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir)
        return names;
    while (dirent* entry = readdir(dir.get()))
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0)
            names.push_back(entry->d_name);
    return names;
}

// LibreOffice's lock file for a document it writes, which a failed write can leave.
std::string lockFileOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return path.substr(0, slash + 1) + ".~lock." + path.substr(slash + 1) + "#";
}

void removeNotedPartials(const std::string& folder)
{
    for (const std::string& note : entries(folder, kNotePrefix)) {
        std::vector<char> target(4096);
        const ssize_t length = ::readlink((folder + "/" + note).c_str(), target.data(), target.size() - 1);
        if (length <= 0)
            continue;
        const std::string path(target.data(), static_cast<size_t>(length));
        if (path.compare(path.rfind('/') + 1, std::strlen(kPartialPrefix), kPartialPrefix) == 0) {
            ::unlink(path.c_str());
            ::unlink(lockFileOf(path).c_str());
        }
    }
}

void sweep(const std::string& base)
{
    for (const std::string& name : entries(base, kRunPrefix)) {
        const std::string folder = base + "/" + name;
        if (ownerAlive(folder))
            continue;
        removeNotedPartials(folder);
        removeTree(folder);
    }
}

std::string tempBase()
{
    const char* base = std::getenv("TMPDIR");
    struct stat st {};
    if (base && base[0] == '/' && ::stat(base, &st) == 0 && S_ISDIR(st.st_mode))
        return base;
    return "/tmp";
}

class RunFolder {
public:
    RunFolder()
    {
        const std::string base = tempBase();
        sweep(base);
        std::string pattern = base + "/" + kRunPrefix + "XXXXXX";
        if (!mkdtemp(pattern.data()))
            throw EngineError("无法创建临时目录 (cannot create a temporary folder): " + pattern + ": " +
                              std::strerror(errno));
        path_ = pattern;
        std::ofstream(path_ + "/" + kOwnerFile) << owner() << "\n";
        // Children (soffice above all) put their temporary files in here too.
        const std::string temp = path_ + "/tmp";
        ::mkdir(temp.c_str(), 0700);
        setenv("TMPDIR", temp.c_str(), 1);
        // LibreOffice's pipes are sockets in /tmp that a killed soffice leaves
        // behind; they come in here when they fit.
        if (holdsOfficePipes(path_))
            setenv("OSL_SOCKET_PATH", path_.c_str(), 1);
        else
            unsetenv("OSL_SOCKET_PATH");  // never a folder of another run, which may go first
    }
    ~RunFolder() { removeTree(path_); }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace

const std::string& runFolder()
{
    static RunFolder folder;
    return folder.path();
}

bool holdsOfficePipes(const std::string& folder)
{
    const std::string longestPipe = "/OSL_PIPE_" + std::to_string(getuid()) + "_SingleOfficeIPC_" + std::string(32, 'f');
    return folder.size() + longestPipe.size() < sizeof(sockaddr_un::sun_path);
}

PartialFile::PartialFile(const std::string& path) : path_(path)
{
    static std::atomic<unsigned> notes{0};
    note_ = runFolder() + "/" + kNotePrefix + std::to_string(++notes);
    if (::symlink(path_.c_str(), note_.c_str()) != 0)
        note_.clear();
}

PartialFile::~PartialFile()
{
    ::unlink(path_.c_str());
    ::unlink(lockFileOf(path_).c_str());
    if (!note_.empty())
        ::unlink(note_.c_str());
}

}  // namespace tessaro
