#include "temp_dir.h"

#include "engine_error.h"
#include "run_folder.h"

#include <cerrno>
#include <cstring>
#include <ftw.h>
#include <vector>
#include <unistd.h>

namespace tessaro {

TempDir::TempDir(const std::string& prefix)
{
    std::string pattern = runFolder() + "/" + prefix + "-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        throw EngineError("无法创建临时目录 (cannot create a temporary folder): " + pattern + ": " +
                          std::strerror(errno));
    path_ = buffer.data();
}

TempDir::~TempDir() { removeTree(path_); }

void removeTree(const std::string& path)
{
    nftw(path.c_str(),
         [](const char* p, const struct stat*, int, struct FTW*) {
             ::remove(p);
             return 0;
         },
         16, FTW_DEPTH | FTW_PHYS);
}

}  // namespace tessaro
