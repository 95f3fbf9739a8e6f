#include "office/office_windows.h"

#include <cstdio>
#include <string>

namespace tessaro {

int officeWindows()
{
    FILE* list = popen("xwininfo -root -tree 2>/dev/null", "r");
    if (!list)
        return -1;
    std::string text;
    char buffer[4096];
    while (size_t got = fread(buffer, 1, sizeof buffer, list))
        text.append(buffer, got);
    if (pclose(list) != 0)
        return -1;
    int count = 0;
    // By class: a title with Chinese in it is listed only as COMPOUND_TEXT.
    const std::string writer = "\"libreoffice-writer\")";
    for (size_t at = text.find(writer); at != std::string::npos; at = text.find(writer, at + 1))
        ++count;
    return count;
}

}  // namespace tessaro
