#pragma once
#include <functional>
#include <string>

namespace tessaro {

// Has `write` produce the file under a temporary name in the folder of
// `path`, and puts it at `path` only once it is written out whole: a full
// disk, an error or a killed process never leaves a truncated or empty file
// there, and a file already at `path` stays as it was until it is replaced.
void writeAtomically(const std::string& path, const std::function<void(const std::string& temporary)>& write);

// Puts a copy of the complete file `source` at `path` the same way. On one
// file system the copy is a second name of the same file: nothing is
// written again.
void copyAtomically(const std::string& source, const std::string& path);

}  // namespace tessaro
