#include "split/page_slicer.h"

#include "engine_error.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

namespace tessaro {

namespace {

const char* const kText = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
const char* const kTable = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
const char* const kOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
const char* const kStyle = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";

// Styles every run may use: the first block's page style and number, and the
// paragraph left after a table that ends a run.
const char* const kFirstStyle = "__tessaro_first";
const char* const kSliverStyle = "__tessaro_sliver";

bool is(const xmlNode* node, const char* ns, const char* name)
{
    return node && node->type == XML_ELEMENT_NODE && node->ns &&
           std::strcmp(reinterpret_cast<const char*>(node->ns->href), ns) == 0 &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

bool isParagraph(const xmlNode* node) { return is(node, kText, "p") || is(node, kText, "h"); }
bool isTable(const xmlNode* node) { return is(node, kTable, "table"); }
bool isBlock(const xmlNode* node) { return isParagraph(node) || isTable(node); }

const char* attribute(const xmlNode* node, const char* ns, const char* name)
{
    const xmlAttr* attr = xmlHasNsProp(node, reinterpret_cast<const xmlChar*>(name), reinterpret_cast<const xmlChar*>(ns));
    return attr && attr->children && attr->children->content ? reinterpret_cast<const char*>(attr->children->content)
                                                             : "";
}

bool isMark(const xmlNode* node)
{
    return is(node, kText, "bookmark") && std::strncmp(attribute(node, kText, "name"), kMarkPrefix,
                                                         std::strlen(kMarkPrefix)) == 0;
}

// Hints of where the source broke its pages; a run has pages of its own.
bool isHint(const xmlNode* node) { return is(node, kText, "soft-page-break"); }

// Declarations at the head of the body, which every run keeps.
bool isPrologue(const xmlNode* node)
{
    if (node->type != XML_ELEMENT_NODE)
        return false;
    const std::string name = reinterpret_cast<const char*>(node->name);
    return (name.size() > 6 && name.compare(name.size() - 6, 6, "-decls") == 0) || is(node, kOffice, "forms") ||
           is(node, kText, "tracked-changes");
}

bool isPageAnchored(const xmlNode* node)
{
    return node->type == XML_ELEMENT_NODE &&
           xmlHasNsProp(node, reinterpret_cast<const xmlChar*>("anchor-page-number"),
                        reinterpret_cast<const xmlChar*>(kText));
}

const xmlNode* elementChild(const xmlNode* node, const char* ns, const char* name)
{
    for (const xmlNode* child = node->children; child; child = child->next)
        if (is(child, ns, name))
            return child;
    return nullptr;
}

const xmlNode* lastElement(const xmlNode* node)
{
    for (const xmlNode* child = node->last; child; child = child->prev)
        if (child->type == XML_ELEMENT_NODE && !isHint(child) && !isMark(child))
            return child;
    return nullptr;
}

const xmlNode* previousElement(const xmlNode* node)
{
    for (const xmlNode* sibling = node->prev; sibling; sibling = sibling->prev)
        if (sibling->type == XML_ELEMENT_NODE && !isHint(sibling) && !isMark(sibling) && !isPrologue(sibling) &&
            !isPageAnchored(sibling))
            return sibling;
    return nullptr;
}

// Whether nothing of `path[depth]` comes before `path.back()`: the elements
// around a page's start belong to the page before only if some of their
// content does, or they would come out empty there (an empty section is
// given a paragraph of its own when read).
bool beginsWith(const std::vector<const xmlNode*>& path, size_t depth)
{
    for (size_t d = depth + 1; d < path.size(); ++d)
        for (const xmlNode* before = path[d]->prev; before; before = before->prev)
            if ((before->type == XML_ELEMENT_NODE && !isHint(before) && !isMark(before)) ||
                (before->type == XML_TEXT_NODE && !xmlIsBlankNode(before)))
                return false;
    return true;
}

// The row a body row of the table begins with, after the heading rows.
const xmlNode* firstBodyRow(const xmlNode* table)
{
    for (const xmlNode* child = table->children; child; child = child->next) {
        if (is(child, kTable, "table-row"))
            return child;
        if (is(child, kTable, "table-rows") || is(child, kTable, "table-row-group"))
            if (const xmlNode* row = firstBodyRow(child))
                return row;
    }
    return nullptr;
}

// What a table repeats in front of rows taken from its middle.
bool isTableHead(const xmlNode* node)
{
    static const char* const names[] = {"table-column", "table-columns", "table-column-group", "table-header-columns",
                                        "table-header-rows", "title", "desc"};
    for (const char* name : names)
        if (is(node, kTable, name))
            return true;
    return false;
}

std::string qname(const xmlNode* node)
{
    std::string name = reinterpret_cast<const char*>(node->name);
    return node->ns && node->ns->prefix ? reinterpret_cast<const char*>(node->ns->prefix) + (":" + name) : name;
}

std::string qname(const xmlAttr* attr)
{
    std::string name = reinterpret_cast<const char*>(attr->name);
    return attr->ns && attr->ns->prefix ? reinterpret_cast<const char*>(attr->ns->prefix) + (":" + name) : name;
}

void escape(std::string& out, const char* text, bool inAttribute)
{
    for (const char* c = text; *c; ++c) {
        switch (*c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += inAttribute ? "&quot;" : "\""; break;
        case '\n': out += inAttribute ? "&#10;" : "\n"; break;
        case '\t': out += inAttribute ? "&#9;" : "\t"; break;
        case '\r': out += "&#13;"; break;
        default: out += *c;
        }
    }
}

std::string escaped(const std::string& text)
{
    std::string out;
    escape(out, text.c_str(), true);
    return out;
}

bool endsWith(const std::string& text, const char* end)
{
    const size_t length = std::strlen(end);
    return text.size() >= length && text.compare(text.size() - length, length, end) == 0;
}

// The style names an attribute may hold (style-name, list-style-name,
// class-names, style-override, leader-text-style, ...). Taking a few
// attributes that name no style keeps a style too many, never one too few.
void addNamed(std::vector<std::string>& names, const std::string& attribute, const std::string& value)
{
    const std::string local = attribute.substr(attribute.find(':') + 1);
    if (endsWith(local, "names")) {
        for (size_t from = 0, to; from < value.size(); from = to + 1) {
            to = std::min(value.find(' ', from), value.size());
            if (to > from)
                names.push_back(value.substr(from, to - from));
        }
    } else if (endsWith(local, "name") || endsWith(local, "style") || local == "style-override") {
        names.push_back(value);
    }
}

}  // namespace

// A change a run makes to one element of the source as it writes it.
struct PageSlicer::Edit {
    const xmlNode* node = nullptr;
    std::string rename;                                       // another element name
    std::vector<std::pair<std::string, std::string>> values;  // attributes replaced or added
    std::string inside;                                       // written before the closing tag
};

// An automatic style of the copy as a run writes it, and the names it uses.
struct PageSlicer::AutoStyle {
    std::string xml;
    Names names;
};

// Where a page begins: `path` runs from a child of office:text down to the
// first node that belongs to the page; the elements on the path are shared
// with the page before.
struct PageSlicer::Cut {
    std::vector<const xmlNode*> path;
    const xmlNode* block = nullptr;  // the paragraph or table the page begins in
    bool atRow = false;              // the page begins at a row in the middle of `block`
};

// Writes nodes of the source as XML, leaving out the page marks and hints,
// and notes the styles they name.
class PageSlicer::Writer {
public:
    Writer(std::string& out, const std::vector<Edit>& edits, Names& names) : out_(out), edits_(edits), names_(names)
    {
    }

    void node(const xmlNode* node)
    {
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            escape(out_, reinterpret_cast<const char*>(node->content), false);
            return;
        }
        if (node->type != XML_ELEMENT_NODE || isMark(node) || isHint(node))
            return;
        const Edit* edit = editOf(node);
        const bool empty = !node->children && (!edit || edit->inside.empty());
        open(node, empty);
        if (empty)
            return;
        for (const xmlNode* child = node->children; child; child = child->next)
            this->node(child);
        close(node);
    }

    void open(const xmlNode* node, bool empty = false)
    {
        const Edit* edit = editOf(node);
        out_ += '<';
        out_ += edit && !edit->rename.empty() ? edit->rename : qname(node);
        for (const xmlNs* ns = node->nsDef; ns; ns = ns->next) {
            out_ += ns->prefix ? std::string(" xmlns:") + reinterpret_cast<const char*>(ns->prefix) : " xmlns";
            out_ += "=\"";
            escape(out_, reinterpret_cast<const char*>(ns->href), true);
            out_ += '"';
        }
        std::vector<bool> used(edit ? edit->values.size() : 0);
        for (const xmlAttr* attr = node->properties; attr; attr = attr->next) {
            const std::string name = qname(attr);
            const std::string* value = nullptr;
            for (size_t i = 0; edit && i < edit->values.size(); ++i)
                if (edit->values[i].first == name) {
                    value = &edit->values[i].second;
                    used[i] = true;
                }
            out_ += ' ' + name + "=\"";
            if (value) {
                escape(out_, value->c_str(), true);
                addNamed(names_, name, *value);
            } else {
                std::string text;
                for (const xmlNode* part = attr->children; part; part = part->next)
                    text += reinterpret_cast<const char*>(part->content);
                escape(out_, text.c_str(), true);
                addNamed(names_, name, text);
            }
            out_ += '"';
        }
        for (size_t i = 0; i < used.size(); ++i)
            if (!used[i]) {
                out_ += ' ' + edit->values[i].first + "=\"" + escaped(edit->values[i].second) + '"';
                addNamed(names_, edit->values[i].first, edit->values[i].second);
            }
        out_ += empty ? "/>" : ">";
    }

    void close(const xmlNode* node)
    {
        const Edit* edit = editOf(node);
        if (edit)
            out_ += edit->inside;
        out_ += "</";
        out_ += edit && !edit->rename.empty() ? edit->rename : qname(node);
        out_ += '>';
    }

private:
    const Edit* editOf(const xmlNode* node) const
    {
        for (const Edit& edit : edits_)
            if (edit.node == node)
                return &edit;
        return nullptr;
    }

    std::string& out_;
    const std::vector<Edit>& edits_;
    Names& names_;
};

PageSlicer::PageSlicer(const std::string& markedFlatOdf, const PageMap& map)
    : map_(map),
      doc_(xmlReadFile(markedFlatOdf.c_str(), nullptr,
                       XML_PARSE_NONET | XML_PARSE_HUGE | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
           xmlFreeDoc)
{
    if (!doc_)
        throw EngineError("无法读取分页副本 (cannot read the marked copy): " + markedFlatOdf);
    xmlNode* root = xmlDocGetRootElement(doc_.get());
    for (xmlNode* part = root ? root->children : nullptr; part; part = part->next) {
        if (is(part, kOffice, "automatic-styles")) {
            autoStyles_ = part;
            for (xmlNode* style = part->children; style; style = style->next)
                if (is(style, kStyle, "style"))
                    automatic_[std::string(attribute(style, kStyle, "family")) + "/" + attribute(style, kStyle, "name")] =
                        style;
        } else if (is(part, kOffice, "master-styles")) {
            for (xmlNode* page = part->children; page; page = page->next) {
                if (!is(page, kStyle, "master-page"))
                    continue;
                const std::string name = attribute(page, kStyle, "name");
                const std::string display = attribute(page, kStyle, "display-name");
                masters_[display.empty() ? name : display] = name;
            }
        } else if (is(part, kOffice, "body")) {
            body_ = const_cast<xmlNode*>(elementChild(part, kOffice, "text"));
        }
    }
    if (!body_ || !autoStyles_)
        throw EngineError("分页副本不完整 (the marked copy is incomplete): " + markedFlatOdf);
    index(body_);
    for (xmlNode* child = body_->children; child; child = child->next)
        if (isPageAnchored(child))
            pageAnchored_.push_back(child);
    buildSkeleton();
}

PageSlicer::~PageSlicer() = default;

void PageSlicer::index(xmlNode* node)
{
    for (xmlNode* child = node->children; child; child = child->next) {
        if (isMark(child))
            marks_[attribute(child, kText, "name")] = child;
        else if (child->type == XML_ELEMENT_NODE)
            index(child);
    }
}

void PageSlicer::buildSkeleton()
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const std::vector<Edit> none;
    Names always;
    Writer writer(out, none, always);
    size_t stylesAt = 0;
    size_t bodyAt = 0;
    auto walk = [&](const auto& self, const xmlNode* node) -> void {
        if (node != body_ && node != autoStyles_ && (node->type != XML_ELEMENT_NODE || !node->children)) {
            writer.node(node);
            return;
        }
        writer.open(node);
        if (node == autoStyles_) {
            stylesAt = out.size();
            // A style without a name cannot be named: every run keeps it.
            always.emplace_back();
            for (const xmlNode* child = node->children; child; child = child->next) {
                if (child->type != XML_ELEMENT_NODE)
                    continue;
                AutoStyle style;
                Writer(style.xml, none, style.names).node(child);
                autoStyleNamed_.emplace(attribute(child, kStyle, "name"), autoStyleList_.size());
                autoStyleList_.push_back(std::move(style));
            }
        }
        for (const xmlNode* child = node->children; child; child = child->next)
            if (node == autoStyles_)
                continue;
            else if (node != body_)
                self(self, child);
            else if (isPrologue(child))
                writer.node(child);
        if (node == autoStyles_) {
            out += std::string("<style:style style:name=\"") + kSliverStyle +
                   "\" style:family=\"paragraph\"><style:paragraph-properties fo:line-height=\"0.002cm\" "
                   "fo:margin-top=\"0cm\" fo:margin-bottom=\"0cm\"/><style:text-properties fo:font-size=\"1pt\" "
                   "style:font-size-asian=\"1pt\" style:font-size-complex=\"1pt\"/></style:style>";
        }
        if (node == body_)
            bodyAt = out.size();
        writer.close(node);
    };
    walk(walk, xmlDocGetRootElement(doc_.get()));
    alwaysUsed_.assign(autoStyleList_.size(), false);
    markUsed(std::move(always), alwaysUsed_);
    beforeStyles_ = out.substr(0, stylesAt);
    beforeBody_ = out.substr(stylesAt, bodyAt - stylesAt);
    afterBody_ = out.substr(bodyAt);
}

void PageSlicer::markUsed(Names names, std::vector<bool>& used) const
{
    while (!names.empty()) {
        const std::string name = std::move(names.back());
        names.pop_back();
        for (auto [at, end] = autoStyleNamed_.equal_range(name); at != end; ++at)
            if (!used[at->second]) {
                used[at->second] = true;
                const Names& more = autoStyleList_[at->second].names;
                names.insert(names.end(), more.begin(), more.end());
            }
    }
}

std::string PageSlicer::usedStyles(Names names) const
{
    std::vector<bool> used = alwaysUsed_;
    markUsed(std::move(names), used);
    std::string out;
    for (size_t k = 0; k < autoStyleList_.size(); ++k)
        if (used[k])
            out += autoStyleList_[k].xml;
    return out;
}

PageSlicer::Cut PageSlicer::cutAt(int page) const
{
    const PageStart& start = map_.pages.at(static_cast<size_t>(page - 1));
    const std::string name = std::string(kMarkPrefix) + "page_" + std::to_string(page);
    const auto found = marks_.find(name);
    if (found == marks_.end())
        throw EngineError("分页标记丢失 (a page mark was lost): " + name);
    Cut cut;
    const xmlNode* first = found->second;
    if (start.inTable) {
        // The page begins at a row of the outermost table the mark is in: a
        // table inside a cell is not cut, which would leave its outer row
        // without the cells before it. Tables that only split a cell are
        // part of their cell.
        const xmlNode* row = nullptr;
        const xmlNode* latest = nullptr;
        for (const xmlNode* node = first; node != body_; node = node->parent) {
            if (is(node, kTable, "table-row"))
                latest = node;
            if (isTable(node) && std::strcmp(attribute(node, kTable, "is-sub-table"), "true") != 0) {
                cut.block = node;
                row = latest;
            }
        }
        if (!cut.block || !row)
            throw EngineError("分页标记不在表格中 (a page mark left its table): " + name);
        cut.atRow = row != firstBodyRow(cut.block);
        first = cut.atRow ? row : cut.block;
    } else {
        for (const xmlNode* node = first; node != body_ && !cut.block; node = node->parent)
            if (isParagraph(node))
                cut.block = node;
        if (!cut.block)
            throw EngineError("分页标记不在段落中 (a page mark left its paragraph): " + name);
        if (!start.midParagraph)
            first = cut.block;
    }
    for (const xmlNode* node = first; node != body_; node = node->parent)
        cut.path.insert(cut.path.begin(), node);
    return cut;
}

const std::string& PageSlicer::master(const std::string& pageStyle) const
{
    const auto found = masters_.find(pageStyle);
    if (found == masters_.end())
        throw EngineError("找不到页面样式 (page style not found): " + pageStyle);
    return found->second;
}

// The page's first paragraph or table, under a style of its own that gives
// it the page style and number it had in the source, which it would
// otherwise take from the pages before it.
std::string PageSlicer::firstStyle(const Cut& cut, int page, std::vector<Edit>& edits, Names& names) const
{
    const PageStart& start = map_.pages.at(static_cast<size_t>(page - 1));
    const bool table = isTable(cut.block);
    const std::string family = table ? "table" : "paragraph";
    const std::string current = attribute(cut.block, table ? kTable : kText, "style-name");
    edits.push_back({cut.block, "", {{table ? "table:style-name" : "text:style-name", kFirstStyle}}, ""});

    std::vector<std::pair<std::string, std::string>> properties{{"style:page-number", std::to_string(start.number)}};
    if (start.midParagraph) {
        // The rest of a paragraph carried over: at the top of its own page it must not
        // gain the indent and space its first line had, or it would no longer fit.
        properties.emplace_back("fo:text-indent", "0cm");
        properties.emplace_back("fo:margin-top", "0cm");
    }
    std::string style;
    const auto automatic = automatic_.find(family + "/" + current);
    if (automatic == automatic_.end()) {
        style = std::string("<style:style style:name=\"") + kFirstStyle + "\" style:family=\"" + family + '"';
        if (!current.empty())
            style += " style:parent-style-name=\"" + escaped(current) + '"';
        style += " style:master-page-name=\"" + escaped(master(start.style)) + "\"><style:" + family + "-properties";
        for (const auto& [name, value] : properties)
            style += ' ' + name + "=\"" + value + '"';
        names.push_back(current);
        return style + "/></style:style>";
    }
    Edit renamed{automatic->second, "", {{"style:name", kFirstStyle}, {"style:master-page-name", master(start.style)}}, ""};
    const std::string propertiesName = family + "-properties";
    if (const xmlNode* own = elementChild(automatic->second, kStyle, propertiesName.c_str())) {
        edits.push_back({own, "", properties, ""});
    } else {
        renamed.inside = "<style:" + propertiesName;
        for (const auto& [name, value] : properties)
            renamed.inside += ' ' + name + "=\"" + value + '"';
        renamed.inside += "/>";
    }
    edits.push_back(renamed);
    Writer(style, edits, names).node(automatic->second);
    return style;
}

std::string PageSlicer::slice(int first, int last) const
{
    std::vector<Edit> edits;
    Names names;
    std::string styles;
    Cut from;
    if (first > 1) {
        from = cutAt(first);
        styles = firstStyle(from, first, edits, names);
        // The rest of a list item carried over shows no number again.
        if (map_.pages[static_cast<size_t>(first - 1)].midParagraph && is(from.block->parent, kText, "list-item"))
            edits.push_back({from.block->parent, "text:list-header", {}, ""});
    }
    Cut to;
    if (last < map_.count())
        to = cutAt(last + 1);

    std::string body;
    Writer writer(body, edits, names);
    for (const xmlNode* drawing : pageAnchored_) {
        const int page = std::atoi(attribute(drawing, kText, "anchor-page-number"));
        if (page < first || page > last)
            continue;
        edits.push_back({drawing, "", {{"text:anchor-page-number", std::to_string(page - first + 1)}}, ""});
        writer.node(drawing);
    }

    // The children of `parent` from the start cut to the end cut; the cuts'
    // paths run through `depth` levels above them.
    auto range = [&](const auto& self, const xmlNode* parent, const Cut* start, const Cut* end, size_t depth) -> void {
        const xmlNode* child = start ? start->path[depth] : parent->children;
        for (const xmlNode* firstChild = child; child; child = child->next) {
            const bool startsInside = start && child == firstChild && depth + 1 < start->path.size();
            const bool endsHere = end && child == end->path[depth];
            if (endsHere && (depth + 1 == end->path.size() || (!startsInside && beginsWith(end->path, depth))))
                return;
            if (depth == 0 && (isPrologue(child) || isPageAnchored(child)))
                continue;
            if (!startsInside && !endsHere) {
                writer.node(child);
                continue;
            }
            writer.open(child);
            if (startsInside && isTable(child))
                for (const xmlNode* head = child->children; head != start->path[depth + 1]; head = head->next)
                    if (isTableHead(head))
                        writer.node(head);
            self(self, child, startsInside ? start : nullptr, endsHere ? end : nullptr, depth + 1);
            writer.close(child);
            if (endsHere)
                return;
        }
    };
    range(range, body_, first > 1 ? &from : nullptr, last < map_.count() ? &to : nullptr, 0);

    // A text cannot end with a table: the paragraph after it stays, as small
    // as it goes, so that it fits in the sliver a full page leaves.
    if (last < map_.count() && !map_.pages[static_cast<size_t>(last)].midParagraph) {
        const xmlNode* before = to.atRow ? to.block : nullptr;
        for (const xmlNode* node = to.path.back(); !to.atRow && !before && node != body_; node = node->parent)
            before = previousElement(node);
        while (before && !isBlock(before) && lastElement(before))
            before = lastElement(before);
        if (isTable(before))
            body += std::string("<text:p text:style-name=\"") + kSliverStyle + "\"/>";
    }
    return beforeStyles_ + usedStyles(std::move(names)) + styles + beforeBody_ + body + afterBody_;
}

void PageSlicer::write(int first, int last, const std::string& path) const
{
    const std::string text = slice(first, last);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file.flush())
        throw EngineError("无法写出分页 (cannot write a page run): " + path);
}

}  // namespace tessaro
