#pragma once
#include <sys/types.h>

#include <vector>

namespace tessaro::test {

// The live (not zombie) child processes of `parent`.
std::vector<pid_t> childrenOf(pid_t parent);

}  // namespace tessaro::test
