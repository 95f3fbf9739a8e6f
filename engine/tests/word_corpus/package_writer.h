#pragma once
#include <string>
#include <utility>
#include <vector>

namespace tessaro::test {

// An Office package being written: parts with their content types and the
// relationships between them. [Content_Types].xml and the _rels parts are
// made from what was added, so they cover every part and every relationship
// names a part that is there.
class PackageWriter {
public:
    void part(const std::string& name, const std::string& contentType, const std::string& data);
    // A relationship from `source` ("" for the package) to `target`, as
    // written in the rels part (relative to the source's folder, or a URL when
    // external); returns its id ("rId1", "rId2"… per source).
    std::string relate(const std::string& source, const std::string& type, const std::string& target,
                       bool external = false);

    std::string bytes() const;  // the zip
    void write(const std::string& path) const;

private:
    struct Relationship {
        std::string source, id, type, target;
        bool external;
    };
    std::vector<std::pair<std::string, std::pair<std::string, std::string>>> parts_;  // name → type, data
    std::vector<Relationship> relationships_;
};

// Relationship types as Office writes them.
namespace relationship {
inline const std::string kBase = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
inline const std::string kOfficeDocument = kBase + "officeDocument";
inline const std::string kStyles = kBase + "styles";
inline const std::string kSettings = kBase + "settings";
inline const std::string kWebSettings = kBase + "webSettings";
inline const std::string kFontTable = kBase + "fontTable";
inline const std::string kTheme = kBase + "theme";
inline const std::string kNumbering = kBase + "numbering";
inline const std::string kFootnotes = kBase + "footnotes";
inline const std::string kEndnotes = kBase + "endnotes";
inline const std::string kComments = kBase + "comments";
inline const std::string kHeader = kBase + "header";
inline const std::string kFooter = kBase + "footer";
inline const std::string kImage = kBase + "image";
inline const std::string kPackage = kBase + "package";
inline const std::string kCustomXml = kBase + "customXml";
inline const std::string kCustomXmlProps = kBase + "customXmlProps";
inline const std::string kExtendedProperties = kBase + "extended-properties";
inline const std::string kCoreProperties =
    "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
}  // namespace relationship

}  // namespace tessaro::test
