#include "word_look/integrity.h"

#include "word_look/package.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>

namespace tessaro::test {

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool isXmlPart(const std::string& name)
{
    const std::string l = lower(name);
    return endsWith(l, ".xml") || endsWith(l, ".rels") || endsWith(l, ".vml");
}

// "word/_rels/document.xml.rels" → "word/document.xml"; "_rels/.rels" → "".
std::string sourceOf(const std::string& rels)
{
    const auto folder = rels.rfind("_rels/");
    const std::string file = rels.substr(folder + 6, rels.size() - folder - 6 - 5);
    return rels.substr(0, folder) + file;
}

std::string qualified(const xmlNode* node, const xmlAttr* a)
{
    const std::string element = std::string(node->ns && node->ns->prefix ? reinterpret_cast<const char*>(node->ns->prefix) : "") +
                                (node->ns && node->ns->prefix ? ":" : "") + xml::name(node);
    const std::string attribute = std::string(a->ns && a->ns->prefix ? reinterpret_cast<const char*>(a->ns->prefix) : "") +
                                  (a->ns && a->ns->prefix ? ":" : "") + reinterpret_cast<const char*>(a->name);
    return element + " " + attribute;
}

bool isInteger(const std::string& value)
{
    const size_t digits = !value.empty() && (value[0] == '-' || value[0] == '+') ? 1 : 0;
    return value.size() > digits &&
           std::all_of(value.begin() + static_cast<long>(digits), value.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void checkElements(const std::string& part, const xmlNode* node,
                   const std::set<std::string>& ids, std::vector<std::string>& problems)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        for (const xmlAttr* a = node->properties; a; a = a->next) {
            if (!a->ns || !a->children || !a->children->content)
                continue;
            const std::string ns = reinterpret_cast<const char*>(a->ns->href);
            const std::string value = reinterpret_cast<const char*>(a->children->content);
            // A font's PANOSE number is twenty hex digits, which may all be decimal ones.
            if (ns == xml::kW && isInteger(value) && !xml::is(node, xml::kW, "panose1")) {
                errno = 0;
                const long long number = std::strtoll(value.c_str(), nullptr, 10);
                if (errno == ERANGE || number > 2147483647LL || number < -2147483648LL) {
                    std::string problem = part + ": " + qualified(node, a) + "=\"" + value + "\" does not fit in 32 bits";
                    if (errno != ERANGE && number > 0 && number <= 4294967295LL)
                        problem += " (" + std::to_string(number - 4294967296LL) + " written as unsigned?)";
                    problems.push_back(problem);
                }
            } else if (ns == xml::kR && !ids.count(value)) {
                problems.push_back(part + ": " + qualified(node, a) + "=\"" + value + "\" names no relationship of the part");
            }
        }
        checkElements(part, node->children, ids, problems);
    }
}

}  // namespace

std::vector<std::string> checkIntegrity(const std::string& path)
{
    std::vector<std::string> problems;
    std::unique_ptr<WordPackage> package;
    try {
        package = std::make_unique<WordPackage>(path);
    } catch (const std::exception& e) {
        return {e.what()};
    }
    const std::vector<std::string> parts = package->parts();

    std::map<std::string, std::string> defaults, overrides;
    try {
        const xmlNode* types = package->root("[Content_Types].xml");
        for (const xmlNode* d : xml::children(types, xml::kTypes, "Default"))
            defaults[lower(xml::attr(d, nullptr, "Extension"))] = xml::attr(d, nullptr, "ContentType");
        for (const xmlNode* o : xml::children(types, xml::kTypes, "Override"))
            overrides[lower(xml::attr(o, nullptr, "PartName"))] = xml::attr(o, nullptr, "ContentType");
    } catch (const std::exception& e) {
        problems.push_back(e.what());
    }

    for (const std::string& part : parts) {
        if (part.empty() || part.back() == '/' || part == "[Content_Types].xml")
            continue;
        const auto dot = part.rfind('.');
        const std::string extension = dot == std::string::npos || part.find('/', dot) != std::string::npos
                                          ? ""
                                          : lower(part.substr(dot + 1));
        if (!overrides.count(lower("/" + part)) && !defaults.count(extension))
            problems.push_back(part + " has no content type");
        if (!isXmlPart(part))
            continue;
        try {
            if (endsWith(part, ".rels"))
                for (const auto& r : package->relationships(sourceOf(part)))
                    if (!r.external && !package->has(r.target))
                        problems.push_back(part + ": " + r.id + " names " + r.target + ", which is not in the package");
            std::set<std::string> ids;
            for (const auto& r : package->relationships(part))
                ids.insert(r.id);
            checkElements(part, package->root(part), ids, problems);
        } catch (const std::exception& e) {
            problems.push_back(e.what());
        }
    }
    return problems;
}

}  // namespace tessaro::test
