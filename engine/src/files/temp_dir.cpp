#include "files/temp_dir.h"

#include "engine_error.h"
#include "files/remove_tree.h"
#include "files/run_folder.h"

#include <cerrno>
#include <cstring>
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

}  // namespace tessaro
