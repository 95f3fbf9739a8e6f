#pragma once
#include <string>
#include <vector>

namespace tessaro::test {

// What would make Word refuse a package or read it otherwise than meant,
// one readable line each; empty when there is nothing:
// - a w: attribute holding an integer outside 32 bits (a negative number
//   written as unsigned: charSpace 4294961151 for -6145);
// - an r:id, r:embed or other relationship reference that names no
//   relationship of its part;
// - a relationship whose target part is not in the package;
// - a part that no content type covers;
// - a part that is not well-formed XML.
std::vector<std::string> checkIntegrity(const std::string& path);

}  // namespace tessaro::test
