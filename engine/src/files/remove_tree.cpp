#include "files/remove_tree.h"

#include <cstdio>
#include <ftw.h>

namespace tessaro {

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
