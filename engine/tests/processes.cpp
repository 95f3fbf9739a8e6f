#include "processes.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <memory>
#include <string>

namespace tessaro::test {

std::vector<pid_t> childrenOf(pid_t parent)
{
    std::vector<pid_t> children;
    std::unique_ptr<DIR, int (*)(DIR*)> proc(opendir("/proc"), closedir);
    while (dirent* entry = readdir(proc.get())) {
        const pid_t pid = std::atoi(entry->d_name);
        if (pid <= 0)
            continue;
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        std::getline(stat, line);
        const auto close = line.rfind(')');
        if (close == std::string::npos)
            continue;
        char state = 0;
        int ppid = 0;
        if (sscanf(line.c_str() + close + 1, " %c %d", &state, &ppid) == 2 && ppid == parent && state != 'Z')
            children.push_back(pid);
    }
    return children;
}

}  // namespace tessaro::test
