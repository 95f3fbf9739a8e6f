#include "document/hanging_punctuation.h"

#include "files/zip_archive.h"

namespace tessaro {

namespace {

const std::string kElement = "<w:overflowPunct";
const std::string kClosing = "</w:overflowPunct>";
const std::string kValue = "w:val=\"";

struct Found {
    size_t begin = std::string::npos, end = 0;  // the whole element, closing tag included
    bool hangs = true;
};

// The next w:overflowPunct element at or after `from`.
Found next(const std::string& xml, size_t from)
{
    Found found;
    for (size_t at = xml.find(kElement, from); at != std::string::npos; at = xml.find(kElement, at + 1)) {
        const char after = at + kElement.size() < xml.size() ? xml[at + kElement.size()] : '\0';
        if (after != ' ' && after != '/' && after != '>')
            continue;
        const size_t close = xml.find('>', at);
        if (close == std::string::npos)
            return found;
        found.begin = at;
        found.end = close + 1;
        if (xml[close - 1] != '/') {
            const size_t closing = xml.find(kClosing, close);
            if (closing != std::string::npos)
                found.end = closing + kClosing.size();
        }
        const std::string tag = xml.substr(at, close - at);
        const size_t val = tag.find(kValue);
        if (val != std::string::npos) {
            const size_t begin = val + kValue.size();
            const std::string value = tag.substr(begin, tag.find('"', begin) - begin);
            found.hangs = value != "false" && value != "0" && value != "off";
        }
        return found;
    }
    return found;
}

// The office reads an element that says "hang" as "do not hang" and the reverse.
std::string rewritten(const std::string& xml, bool anyWithout)
{
    std::string out;
    size_t copied = 0;
    for (Found found = next(xml, 0); found.begin != std::string::npos; found = next(xml, found.end)) {
        out.append(xml, copied, found.begin - copied);
        if (!found.hangs)
            out += "<w:overflowPunct w:val=\"true\"/>";
        else if (anyWithout)
            out += "<w:overflowPunct w:val=\"false\"/>";
        copied = found.end;
    }
    out.append(xml, copied, std::string::npos);
    return out;
}

}  // namespace

bool keepHangingPunctuationInXml(std::vector<std::string>& parts)
{
    bool any = false, anyWithout = false;
    for (const auto& part : parts)
        for (Found found = next(part, 0); found.begin != std::string::npos; found = next(part, found.end)) {
            any = true;
            anyWithout = anyWithout || !found.hangs;
        }
    if (!any)
        return false;
    for (auto& part : parts)
        part = rewritten(part, anyWithout);
    return true;
}

void keepHangingPunctuation(const std::string& docx)
{
    ZipArchive package(docx);
    // The XML parts of the document itself, not of its subfolders.
    std::vector<std::string> names, parts;
    for (const std::string& name : package.names())
        if (name.rfind("word/", 0) == 0 && name.find('/', 5) == std::string::npos &&
            name.compare(name.size() - 4, 4, ".xml") == 0) {
            names.push_back(name);
            parts.push_back(package.read(name));
        }
    std::vector<std::string> changed = parts;
    if (!keepHangingPunctuationInXml(changed))
        return;
    for (size_t i = 0; i < parts.size(); ++i)
        if (changed[i] != parts[i])
            package.replace(names[i], changed[i]);
    package.write(docx);
}

}  // namespace tessaro
