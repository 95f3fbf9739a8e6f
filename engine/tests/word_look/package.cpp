#include "word_look/package.h"

#include <algorithm>
#include <stdexcept>

namespace tessaro::test {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A relationship's target as the part name it points to: relative to the
// source part's folder unless it starts with "/", with "%XX" escapes and
// ".." resolved.
std::string resolve(const std::string& source, const std::string& target)
{
    std::string decoded;
    for (size_t i = 0; i < target.size(); ++i)
        if (target[i] == '%' && i + 2 < target.size() && hexDigit(target[i + 1]) >= 0 && hexDigit(target[i + 2]) >= 0) {
            decoded += static_cast<char>(hexDigit(target[i + 1]) * 16 + hexDigit(target[i + 2]));
            i += 2;
        } else {
            decoded += target[i];
        }
    std::string joined = decoded;
    if (decoded.empty() || decoded[0] != '/') {
        const auto slash = source.rfind('/');
        joined = (slash == std::string::npos ? "" : source.substr(0, slash + 1)) + decoded;
    }
    std::vector<std::string> segments;
    size_t start = 0;
    while (start <= joined.size()) {
        const size_t end = std::min(joined.find('/', start), joined.size());
        const std::string segment = joined.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string resolved;
    for (const auto& segment : segments)
        resolved += (resolved.empty() ? "" : "/") + segment;
    return resolved;
}

}  // namespace

std::string relationshipsPart(const std::string& part)
{
    const auto slash = part.rfind('/');
    if (slash == std::string::npos)
        return "_rels/" + part + ".rels";
    return part.substr(0, slash) + "/_rels/" + part.substr(slash + 1) + ".rels";
}

WordPackage::WordPackage(const std::string& path) : path_(path), zip_(path), names_(zip_.names())
{
    main_ = related("", "officeDocument");
    if (main_.empty() || !has(main_))
        throw std::runtime_error(path + " has no main document part");
}

bool WordPackage::has(const std::string& part) const
{
    return std::find(names_.begin(), names_.end(), part) != names_.end();
}

const xmlNode* WordPackage::root(const std::string& part) const
{
    auto found = parsed_.find(part);
    if (found == parsed_.end()) {
        if (!has(part))
            throw std::runtime_error(path_ + " has no part " + part);
        found = parsed_.emplace(part, xml::parse(zip_.read(part), part)).first;
    }
    return xmlDocGetRootElement(found->second.get());
}

const std::vector<WordPackage::Relationship>& WordPackage::relationships(const std::string& part) const
{
    auto found = relationships_.find(part);
    if (found != relationships_.end())
        return found->second;
    std::vector<Relationship> list;
    const std::string rels = relationshipsPart(part);
    if (has(rels))
        for (const xmlNode* r : xml::children(root(rels), xml::kRels, "Relationship")) {
            Relationship relationship;
            relationship.id = xml::attr(r, nullptr, "Id");
            relationship.type = xml::attr(r, nullptr, "Type");
            relationship.external = xml::attr(r, nullptr, "TargetMode") == "External";
            const std::string target = xml::attr(r, nullptr, "Target");
            relationship.target = relationship.external ? target : resolve(part, target);
            list.push_back(relationship);
        }
    return relationships_.emplace(part, std::move(list)).first->second;
}

std::string WordPackage::target(const std::string& part, const std::string& id) const
{
    for (const auto& r : relationships(part))
        if (r.id == id)
            return r.target;
    return "";
}

std::string WordPackage::related(const std::string& part, const std::string& kind) const
{
    const std::string suffix = "/" + kind;
    for (const auto& r : relationships(part))
        if (r.type.size() > suffix.size() && r.type.compare(r.type.size() - suffix.size(), suffix.size(), suffix) == 0)
            return r.target;
    return "";
}

}  // namespace tessaro::test
