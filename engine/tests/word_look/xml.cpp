#include "word_look/xml.h"

#include <libxml/parser.h>

#include <cstring>
#include <stdexcept>

namespace tessaro::test::xml {

Document parse(const std::string& text, const std::string& what)
{
    Document doc(xmlReadMemory(text.data(), static_cast<int>(text.size()), what.c_str(), nullptr,
                               XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE),
                 xmlFreeDoc);
    if (!doc || !xmlDocGetRootElement(doc.get()))
        throw std::runtime_error(what + " is not well-formed XML");
    return doc;
}

bool is(const xmlNode* node, const char* ns, const char* local)
{
    return node && node->type == XML_ELEMENT_NODE && node->ns &&
           std::strcmp(reinterpret_cast<const char*>(node->ns->href), ns) == 0 &&
           std::strcmp(reinterpret_cast<const char*>(node->name), local) == 0;
}

const char* name(const xmlNode* node)
{
    return node && node->type == XML_ELEMENT_NODE ? reinterpret_cast<const char*>(node->name) : "";
}

const xmlNode* child(const xmlNode* node, const char* ns, const char* local)
{
    for (const xmlNode* c = node ? node->children : nullptr; c; c = c->next)
        if (is(c, ns, local))
            return c;
    return nullptr;
}

std::vector<const xmlNode*> children(const xmlNode* node, const char* ns, const char* local)
{
    std::vector<const xmlNode*> found;
    for (const xmlNode* c = node ? node->children : nullptr; c; c = c->next)
        if (is(c, ns, local))
            found.push_back(c);
    return found;
}

std::vector<const xmlNode*> elements(const xmlNode* node)
{
    std::vector<const xmlNode*> found;
    for (const xmlNode* c = node ? node->children : nullptr; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE)
            found.push_back(c);
    return found;
}

bool has(const xmlNode* node, const char* ns, const char* local)
{
    return node && xmlHasNsProp(node, reinterpret_cast<const xmlChar*>(local), reinterpret_cast<const xmlChar*>(ns));
}

std::string attr(const xmlNode* node, const char* ns, const char* local, const std::string& absent)
{
    if (!node)
        return absent;
    const xmlAttr* a =
        xmlHasNsProp(node, reinterpret_cast<const xmlChar*>(local), reinterpret_cast<const xmlChar*>(ns));
    if (!a)
        return absent;
    return a->children && a->children->content ? reinterpret_cast<const char*>(a->children->content) : "";
}

bool on(const xmlNode* node)
{
    if (!node)
        return false;
    const std::string v = val(node, "1");
    return v != "0" && v != "false" && v != "off";
}

}  // namespace tessaro::test::xml
