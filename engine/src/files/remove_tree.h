#pragma once
#include <string>

namespace tessaro {

// Removes a file or a folder with everything in it, following no link.
void removeTree(const std::string& path);

}  // namespace tessaro
