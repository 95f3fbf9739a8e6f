#include "files/atomic_write.h"

#include "engine_error.h"
#include "files/run_folder.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaro {

namespace {

EngineError cannotWrite(const std::string& why, const std::string& path)
{
    return EngineError("保存失败 (cannot write: " + why + "): " + path);
}

// LibreOffice does not always report a write that ran out of space; the
// file's size and a flush to the disk tell.
void checkWritten(const std::string& temporary, const std::string& path)
{
    const int fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw cannotWrite(std::strerror(errno), path);
    struct stat st {};
    const bool flushed = ::fstat(fd, &st) == 0 && ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!flushed)
        throw cannotWrite(std::strerror(error), path);
    if (st.st_size == 0)
        throw cannotWrite("nothing was written", path);
}

}  // namespace

void writeAtomically(const std::string& path, const std::function<void(const std::string& temporary)>& write)
{
    // Renaming over a file replaces it whatever its permissions: a file the
    // user made read-only is kept, as Word keeps it.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) && (existing.st_mode & 0222) == 0)
        throw EngineError("文件是只读的 (read-only): " + path);
    static std::atomic<unsigned> count{0};
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    // A short name: the target's own may already be as long as a name can be.
    PartialFile partial(folder + "/" + kPartialPrefix + std::to_string(getpid()) + "-" + std::to_string(++count) +
                        ".tmp");
    write(partial.path());
    checkWritten(partial.path(), path);
    if (std::rename(partial.path().c_str(), path.c_str()) != 0)
        throw cannotWrite(std::strerror(errno), path);
}

void copyAtomically(const std::string& source, const std::string& path)
{
    writeAtomically(path, [&](const std::string& temporary) {
        if (::link(source.c_str(), temporary.c_str()) == 0)
            return;
        std::error_code failed;
        std::filesystem::copy_file(source, temporary, std::filesystem::copy_options::overwrite_existing, failed);
        if (failed)
            throw EngineError("无法保存文档 (" + failed.message() + "): " + path);
    });
}

}  // namespace tessaro
