#include "naming.h"

namespace tessaro {

std::string pieceName(const std::string& source, const std::string& folder, int number)
{
    const std::string name = source.substr(source.rfind('/') + 1);
    const auto dot = name.rfind('.');
    const std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
    std::string out = folder;
    if (out.empty() || out.back() != '/')
        out += '/';
    return out + base + "_" + std::to_string(number) + ext;
}

}  // namespace tessaro
