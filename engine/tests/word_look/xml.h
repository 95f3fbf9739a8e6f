#pragma once
#include <libxml/tree.h>

#include <memory>
#include <string>
#include <vector>

namespace tessaro::test::xml {

// The namespaces Word writes in a package, transitional as Word writes them.
inline constexpr const char* kW = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
inline constexpr const char* kR = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kA = "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr const char* kMc = "http://schemas.openxmlformats.org/markup-compatibility/2006";
inline constexpr const char* kW14 = "http://schemas.microsoft.com/office/word/2010/wordml";
inline constexpr const char* kRels = "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* kTypes = "http://schemas.openxmlformats.org/package/2006/content-types";

using Document = std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)>;

// Parses without reaching the network or expanding entities; throws
// std::runtime_error naming `what` when the text is not well-formed XML.
Document parse(const std::string& text, const std::string& what);

bool is(const xmlNode* node, const char* ns, const char* name);
const char* name(const xmlNode* node);  // local name, "" for what is not an element
const xmlNode* child(const xmlNode* node, const char* ns, const char* name);
std::vector<const xmlNode*> children(const xmlNode* node, const char* ns, const char* name);
std::vector<const xmlNode*> elements(const xmlNode* node);  // every element child

bool has(const xmlNode* node, const char* ns, const char* name);
// The attribute's value, or `absent` when the node or the attribute is missing.
std::string attr(const xmlNode* node, const char* ns, const char* name, const std::string& absent = "");
// w:val of a w: element, the commonest attribute of all.
inline std::string val(const xmlNode* node, const std::string& absent = "") { return attr(node, kW, "val", absent); }
// An on/off property: present without w:val means on.
bool on(const xmlNode* node);

}  // namespace tessaro::test::xml
