#include "word_corpus/package_writer.h"

#include "stored_zip.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace tessaro::test {

namespace {

std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '&' ? "&amp;" : c == '"' ? "&quot;" : c == '<' ? "&lt;" : std::string(1, c);
    return out;
}

std::string relsPart(const std::string& source)
{
    const auto slash = source.rfind('/');
    return slash == std::string::npos ? "_rels/" + source + ".rels"
                                      : source.substr(0, slash) + "/_rels/" + source.substr(slash + 1) + ".rels";
}

}  // namespace

void PackageWriter::part(const std::string& name, const std::string& contentType, const std::string& data)
{
    parts_.push_back({name, {contentType, data}});
}

std::string PackageWriter::relate(const std::string& source, const std::string& type, const std::string& target,
                                  bool external)
{
    int count = 0;
    for (const auto& r : relationships_)
        count += r.source == source;
    const std::string id = "rId" + std::to_string(count + 1);
    relationships_.push_back({source, id, type, target, external});
    return id;
}

std::string PackageWriter::bytes() const
{
    std::string types = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                        "\r\n"
                        R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
                        R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
                        R"(<Default Extension="xml" ContentType="application/xml"/>)";
    for (const auto& [name, part] : parts_)
        types += "<Override PartName=\"/" + escaped(name) + "\" ContentType=\"" + part.first + "\"/>";
    types += "</Types>";

    std::vector<std::pair<std::string, std::string>> entries{{"[Content_Types].xml", types}};
    std::vector<std::string> sources;
    for (const auto& r : relationships_)
        if (std::find(sources.begin(), sources.end(), r.source) == sources.end())
            sources.push_back(r.source);
    for (const auto& source : sources) {
        std::string rels = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                           "\r\n"
                           R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
        for (const auto& r : relationships_)
            if (r.source == source)
                rels += "<Relationship Id=\"" + r.id + "\" Type=\"" + r.type + "\" Target=\"" + escaped(r.target) +
                        "\"" + (r.external ? " TargetMode=\"External\"" : "") + "/>";
        rels += "</Relationships>";
        entries.push_back({source.empty() ? "_rels/.rels" : relsPart(source), rels});
    }
    for (const auto& [name, part] : parts_)
        entries.push_back({name, part.second});
    return storedZip(entries);
}

void PackageWriter::write(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary);
    out << bytes();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace tessaro::test
