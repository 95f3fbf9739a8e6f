#include "hanging_punctuation.h"

#include "package.h"

#include <com/sun/star/embed/ElementModes.hpp>
#include <com/sun/star/embed/XTransactedObject.hpp>

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

void keepHangingPunctuation(const Reference<css::uno::XComponentContext>& context, const std::string& docx)
{
    Package package(context, docx, Package::Kind::PlainZip);
    if (!package.root()->hasByName("word") || !package.root()->isStorageElement("word"))
        return;
    Reference<css::embed::XStorage> word =
        package.root()->openStorageElement("word", css::embed::ElementModes::READWRITE);
    std::vector<rtl::OUString> names;
    std::vector<std::string> parts;
    for (const auto& name : word->getElementNames())
        if (name.endsWith(".xml") && word->isStreamElement(name)) {
            names.push_back(name);
            parts.push_back(readStream(word, name));
        }
    std::vector<std::string> changed = parts;
    if (!keepHangingPunctuationInXml(changed))
        return;
    for (size_t i = 0; i < parts.size(); ++i)
        if (changed[i] != parts[i])
            writeStream(word, names[i], changed[i]);
    Reference<css::embed::XTransactedObject>(word, UNO_QUERY_THROW)->commit();
    package.commit();
}

}  // namespace tessaro
