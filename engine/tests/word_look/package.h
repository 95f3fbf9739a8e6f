#pragma once
#include "files/zip_archive.h"
#include "word_look/xml.h"

#include <map>
#include <string>
#include <vector>

namespace tessaro::test {

// A .docx as a set of parts and the relationships between them, each XML
// part parsed once when first asked for. Part names are as the zip holds
// them ("word/document.xml"), without the leading slash.
class WordPackage {
public:
    struct Relationship {
        std::string id, type, target;  // target resolved to a part name, or the URL when external
        bool external = false;
    };

    explicit WordPackage(const std::string& path);

    const std::string& path() const { return path_; }
    std::vector<std::string> parts() const { return zip_.names(); }
    bool has(const std::string& part) const;
    std::string read(const std::string& part) const { return zip_.read(part); }
    // The part's root element; throws when the part is missing or not XML.
    const xmlNode* root(const std::string& part) const;

    // The relationships of `part` (from its _rels/NAME.rels), "" for the package's own.
    const std::vector<Relationship>& relationships(const std::string& part) const;
    // The target of `part`'s relationship `id`, "" when there is none.
    std::string target(const std::string& part, const std::string& id) const;
    // The first target of `part`'s relationships whose type ends in "/" + `kind`, "" when there is none.
    std::string related(const std::string& part, const std::string& kind) const;

    // The main story's part (word/document.xml as Word names it).
    const std::string& main() const { return main_; }

private:
    std::string path_;
    ZipArchive zip_;
    std::vector<std::string> names_;
    std::string main_;
    mutable std::map<std::string, xml::Document> parsed_;
    mutable std::map<std::string, std::vector<Relationship>> relationships_;
};

// The part name of `part`'s relationships.
std::string relationshipsPart(const std::string& part);

}  // namespace tessaro::test
