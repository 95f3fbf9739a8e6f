#include "word_look/styles.h"

#include "word_look/theme.h"

#include <algorithm>

namespace tessaro::test {

namespace {

using xml::kW;

const char* const kFontSlots[] = {"ascii", "hAnsi", "eastAsia", "cs"};

// Word's conditional formatting, in the order it applies it.
const char* const kConditions[] = {"band1Vert", "band2Vert", "band1Horz", "band2Horz", "firstCol", "lastCol",
                                   "firstRow",  "lastRow",   "neCell",    "nwCell",    "seCell",  "swCell"};

void set(Properties& layer, const std::string& key, const xmlNode* node, const char* attribute)
{
    if (xml::has(node, kW, attribute))
        layer[key] = xml::attr(node, kW, attribute);
}

// One of two exclusive attributes: setting either clears the other, and
// where both are written the second (hanging) wins.
void exclusive(Properties& layer, const std::string& prefix, const xmlNode* ind, const char* first, const char* second)
{
    if (xml::has(ind, kW, second)) {
        layer[prefix + second] = xml::attr(ind, kW, second);
        layer[prefix + first] = "0";
    } else if (xml::has(ind, kW, first)) {
        layer[prefix + first] = xml::attr(ind, kW, first);
        layer[prefix + second] = "0";
    }
}

bool conditionApplies(const std::string& type, const TablePlace& place)
{
    const bool firstRow = place.look & 0x20, lastRow = place.look & 0x40;
    const bool firstCol = place.look & 0x80, lastCol = place.look & 0x100;
    const bool hBands = !(place.look & 0x200), vBands = !(place.look & 0x400);
    const bool top = firstRow && place.row == 0, bottom = lastRow && place.row == place.rows - 1;
    const bool left = firstCol && place.column == 0, right = lastCol && place.column == place.columns - 1;
    const int bandRow = place.row - (firstRow ? 1 : 0), bandCol = place.column - (firstCol ? 1 : 0);
    if (type == "firstRow")
        return top;
    if (type == "lastRow")
        return bottom;
    if (type == "firstCol")
        return left;
    if (type == "lastCol")
        return right;
    if (type == "band1Horz" || type == "band2Horz")
        return hBands && !top && !bottom && bandRow >= 0 && (bandRow % 2 == 0) == (type == "band1Horz");
    if (type == "band1Vert" || type == "band2Vert")
        return vBands && !left && !right && bandCol >= 0 && (bandCol % 2 == 0) == (type == "band1Vert");
    if (type == "nwCell")
        return top && left;
    if (type == "neCell")
        return top && right;
    if (type == "swCell")
        return bottom && left;
    if (type == "seCell")
        return bottom && right;
    return false;
}

std::string get(const Properties& p, const std::string& key, const std::string& absent = "")
{
    const auto found = p.find(key);
    return found == p.end() ? absent : found->second;
}

}  // namespace

StyleSheet::StyleSheet(const WordPackage& package, const Properties& theme, const std::string& themeEastAsiaLang)
    : theme_(theme), eastAsiaLang_(themeEastAsiaLang)
{
    const std::string part = package.related(package.main(), "styles");
    if (part.empty() || !package.has(part))
        return;
    const xmlNode* root = package.root(part);
    for (const xmlNode* s : xml::children(root, kW, "style")) {
        const std::string id = xml::attr(s, kW, "styleId");
        styles_.emplace(id, s);
        const std::string type = xml::attr(s, kW, "type", "paragraph");
        const std::string isDefault = xml::attr(s, kW, "default");
        if ((isDefault == "1" || isDefault == "true" || isDefault == "on") && !defaults_.count(type))
            defaults_[type] = id;
    }
    const xmlNode* docDefaults = xml::child(root, kW, "docDefaults");
    readRun(xml::child(xml::child(docDefaults, kW, "rPrDefault"), kW, "rPr"), defaultRun_);
    readParagraph(xml::child(xml::child(docDefaults, kW, "pPrDefault"), kW, "pPr"), defaultParagraph_);
}

void StyleSheet::readRun(const xmlNode* rPr, Properties& layer)
{
    if (!rPr)
        return;
    if (const xmlNode* fonts = xml::child(rPr, kW, "rFonts"))
        for (const char* slot : kFontSlots) {
            const std::string themed = std::string(slot) + "Theme";
            if (xml::has(fonts, kW, themed.c_str()))
                layer[slot] = "theme:" + xml::attr(fonts, kW, themed.c_str());
            else if (xml::has(fonts, kW, slot))
                layer[slot] = xml::attr(fonts, kW, slot);
        }
    for (const char* key : {"sz", "szCs", "rStyle"})
        if (const xmlNode* node = xml::child(rPr, kW, key))
            layer[key] = xml::val(node);
    for (const char* key : {"b", "i"})
        if (const xmlNode* node = xml::child(rPr, kW, key))
            layer[key] = xml::on(node) ? "1" : "0";
    if (const xmlNode* color = xml::child(rPr, kW, "color")) {
        std::string value = xml::val(color, "auto");
        std::transform(value.begin(), value.end(), value.begin(), [](unsigned char c) { return std::toupper(c); });
        layer["color"] = value == "AUTO" ? "auto" : value;
    }
    set(layer, "lang", xml::child(rPr, kW, "lang"), "eastAsia");
}

void StyleSheet::readParagraph(const xmlNode* pPr, Properties& layer)
{
    if (!pPr)
        return;
    if (const xmlNode* jc = xml::child(pPr, kW, "jc")) {
        const std::string v = xml::val(jc);
        layer["jc"] = v == "start" ? "left" : v == "end" ? "right" : v;
    }
    if (const xmlNode* ind = xml::child(pPr, kW, "ind")) {
        for (const auto& [key, attributes] : std::vector<std::pair<const char*, std::vector<const char*>>>{
                 {"ind.left", {"start", "left"}},
                 {"ind.right", {"end", "right"}},
                 {"ind.leftChars", {"startChars", "leftChars"}},
                 {"ind.rightChars", {"endChars", "rightChars"}}})
            for (const char* attribute : attributes)
                if (xml::has(ind, kW, attribute)) {
                    layer[key] = xml::attr(ind, kW, attribute);
                    break;
                }
        exclusive(layer, "ind.", ind, "firstLine", "hanging");
        exclusive(layer, "ind.", ind, "firstLineChars", "hangingChars");
    }
    if (const xmlNode* spacing = xml::child(pPr, kW, "spacing"))
        for (const char* attribute : {"before", "after", "beforeLines", "afterLines", "beforeAutospacing",
                                      "afterAutospacing", "line", "lineRule"})
            set(layer, std::string("spacing.") + attribute, spacing, attribute);
    if (const xmlNode* numPr = xml::child(pPr, kW, "numPr")) {
        if (const xmlNode* numId = xml::child(numPr, kW, "numId"))
            layer["numPr.numId"] = xml::val(numId);
        if (const xmlNode* ilvl = xml::child(numPr, kW, "ilvl"))
            layer["numPr.ilvl"] = xml::val(ilvl);
    }
}

const xmlNode* StyleSheet::style(const std::string& id) const
{
    const auto found = styles_.find(id);
    return found == styles_.end() ? nullptr : found->second;
}

std::string StyleSheet::defaultStyle(const std::string& type) const
{
    const auto found = defaults_.find(type);
    return found == defaults_.end() ? "" : found->second;
}

std::vector<const xmlNode*> StyleSheet::lineage(const std::string& styleId) const
{
    std::vector<const xmlNode*> chain;
    for (const xmlNode* s = style(styleId); s && chain.size() < 64;
         s = style(xml::val(xml::child(s, kW, "basedOn")))) {
        if (std::find(chain.begin(), chain.end(), s) != chain.end())
            break;  // a loop of basedOn: Word stops there too
        chain.push_back(s);
    }
    std::reverse(chain.begin(), chain.end());
    return chain;
}

Properties StyleSheet::chain(const std::string& styleId, const char* element) const
{
    Properties layer;
    const bool run = std::string(element) == "rPr";
    for (const xmlNode* s : lineage(styleId))
        (run ? readRun : readParagraph)(xml::child(s, kW, element), layer);
    return layer;
}

Properties StyleSheet::styleNumbering(const std::string& styleId) const
{
    const Properties paragraph = chain(styleId, "pPr");
    Properties numbering;
    for (const char* key : {"numPr.numId", "numPr.ilvl"})
        if (paragraph.count(key))
            numbering[key] = paragraph.at(key);
    return numbering;
}

void StyleSheet::tableLayers(const TablePlace& place, Properties& run, Properties& paragraph) const
{
    const auto chain = lineage(place.style.empty() ? defaultStyle("table") : place.style);
    for (const xmlNode* s : chain) {
        readRun(xml::child(s, kW, "rPr"), run);
        readParagraph(xml::child(s, kW, "pPr"), paragraph);
    }
    for (const char* condition : kConditions) {
        if (!conditionApplies(condition, place))
            continue;
        for (const xmlNode* s : chain)
            for (const xmlNode* conditional : xml::children(s, kW, "tblStylePr"))
                if (xml::attr(conditional, kW, "type") == condition) {
                    readRun(xml::child(conditional, kW, "rPr"), run);
                    readParagraph(xml::child(conditional, kW, "pPr"), paragraph);
                }
    }
}

Properties StyleSheet::resolveRun(const std::vector<const Properties*>& styleLayers, const Properties& direct) const
{
    Properties state = defaultRun_;
    for (const Properties* layer : styleLayers)
        for (const auto& [key, value] : *layer) {
            if (key == "b" || key == "i") {
                if (value == "1")
                    state[key] = get(state, key, "0") == "1" ? "0" : "1";
            } else {
                state[key] = value;
            }
        }
    for (const auto& [key, value] : direct)
        state[key] = value;

    Properties look;
    const std::string lang = eastAsiaLang_.empty() ? get(state, "lang") : eastAsiaLang_;
    for (const char* slot : {"ascii", "hAnsi", "eastAsia"}) {  // the complex-script font sets no Chinese or Latin text
        const std::string font = get(state, slot);
        look[slot] = font.rfind("theme:", 0) == 0 ? themeTypeface(theme_, font.substr(6), lang) : font;
    }
    look["sz"] = get(state, "sz", "20");
    look["szCs"] = get(state, "szCs", look["sz"]);
    look["b"] = get(state, "b", "0");
    look["i"] = get(state, "i", "0");
    look["color"] = get(state, "color", "auto");
    look["revision"] = get(state, "revision");
    return look;
}

Properties StyleSheet::resolveParagraph(const std::vector<const Properties*>& layers)
{
    Properties look{{"jc", "left"},
                    {"ind.left", "0"},
                    {"ind.right", "0"},
                    {"ind.firstLine", "0"},
                    {"ind.hanging", "0"},
                    {"ind.leftChars", "0"},
                    {"ind.rightChars", "0"},
                    {"ind.firstLineChars", "0"},
                    {"ind.hangingChars", "0"},
                    {"spacing.before", "0"},
                    {"spacing.after", "0"},
                    {"spacing.beforeLines", "0"},
                    {"spacing.afterLines", "0"},
                    {"spacing.beforeAutospacing", "0"},
                    {"spacing.afterAutospacing", "0"},
                    {"spacing.line", "240"},
                    {"spacing.lineRule", "auto"}};
    for (const Properties* layer : layers)
        for (const auto& [key, value] : *layer)
            if (look.count(key))
                look[key] = key.find("Autospacing") != std::string::npos
                                ? (value == "0" || value == "false" || value == "off" ? "0" : "1")
                                : value;
    return look;
}

}  // namespace tessaro::test
