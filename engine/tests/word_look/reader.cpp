// Reads a .docx into a WordLook, walking each story in document order as
// Word lays it out: paragraphs and tables (nested ones too), content
// controls, fields (their results, not their codes), tracked changes, notes
// and the text boxes of shapes.
#include "word_look/numbering.h"
#include "word_look/package.h"
#include "word_look/styles.h"
#include "word_look/theme.h"
#include "word_look/utf.h"
#include "word_look/word_look.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace tessaro::test {

namespace {

using xml::kW;

constexpr char32_t kLineBreak = 0x000B, kPageBreak = 0x000C, kObject = 0xFFFC;

std::string get(const Properties& p, const std::string& key, const std::string& absent = "")
{
    const auto found = p.find(key);
    return found == p.end() ? absent : found->second;
}

// The branch of markup-compatible content Word reads: its first Choice.
const xmlNode* chosen(const xmlNode* alternate)
{
    if (const xmlNode* choice = xml::child(alternate, xml::kMc, "Choice"))
        return choice;
    return xml::child(alternate, xml::kMc, "Fallback");
}

// The text boxes inside a shape, the outer ones only (each walks its own).
void findTextBoxes(const xmlNode* node, std::vector<const xmlNode*>& found)
{
    for (const xmlNode* c = node->children; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE)
            continue;
        if (xml::is(c, kW, "txbxContent"))
            found.push_back(c);
        else if (xml::is(c, xml::kMc, "AlternateContent")) {
            if (const xmlNode* branch = chosen(c))
                findTextBoxes(branch, found);
        } else
            findTextBoxes(c, found);
    }
}

unsigned tableLook(const xmlNode* look)
{
    if (!look)
        return 0x04A0;
    static const std::pair<const char*, unsigned> kBits[] = {{"firstRow", 0x20},    {"lastRow", 0x40},
                                                            {"firstColumn", 0x80}, {"lastColumn", 0x100},
                                                            {"noHBand", 0x200},    {"noVBand", 0x400}};
    bool any = false;
    unsigned bits = 0;
    for (const auto& [name, bit] : kBits)
        if (xml::has(look, kW, name)) {
            any = true;
            const std::string v = xml::attr(look, kW, name);
            if (v == "1" || v == "true" || v == "on")
                bits |= bit;
        }
    return any ? bits : static_cast<unsigned>(std::strtoul(xml::val(look, "04A0").c_str(), nullptr, 16));
}

Properties sectionLook(const xmlNode* sectPr)
{
    Properties look{{"pgSz.orient", "portrait"}, {"docGrid.type", "default"}, {"cols.num", "1"},
                    {"cols.equalWidth", "1"},    {"titlePg", "0"},            {"pgNumType.fmt", "decimal"},
                    {"vAlign", "top"},           {"textDirection", "lrTb"},   {"type", "nextPage"}};
    const std::vector<std::pair<const char*, std::vector<const char*>>> attributes{
        {"pgSz", {"w", "h", "orient"}},
        {"pgMar", {"top", "right", "bottom", "left", "header", "footer", "gutter"}},
        {"docGrid", {"type", "linePitch", "charSpace"}},
        {"cols", {"num", "space", "equalWidth", "sep"}},
        {"pgNumType", {"start", "fmt"}}};
    for (const auto& [element, names] : attributes)
        for (const char* name : names)
            if (const xmlNode* node = xml::child(sectPr, kW, element); xml::has(node, kW, name))
                look[std::string(element) + "." + name] = xml::attr(node, kW, name);
    if (const xmlNode* cols = xml::child(sectPr, kW, "cols"))
        for (const xmlNode* col : xml::children(cols, kW, "col"))
            look["cols.widths"] += xml::attr(col, kW, "w") + "+" + xml::attr(col, kW, "space") + " ";
    if (look["cols.num"] == "1")  // one column: its spacing shows nowhere
        for (const char* unseen : {"cols.space", "cols.equalWidth", "cols.sep", "cols.widths"})
            look.erase(unseen);
    look["titlePg"] = xml::on(xml::child(sectPr, kW, "titlePg")) ? "1" : "0";
    for (const char* element : {"vAlign", "textDirection", "type"})
        if (const xmlNode* node = xml::child(sectPr, kW, element))
            look[element] = xml::val(node);
    return look;
}

// Where a content control's content starts or ends: a paragraph of a story and a character in it.
struct Position {
    int paragraph = 0;
    size_t offset = 0;
};

struct Field {
    bool code = true;
    std::string instruction;
};

// A story being read: where its paragraphs go, its fields (which may span
// paragraphs) and its list counters.
struct Sink {
    Story story = Story::Main;
    std::vector<WordParagraph>* paragraphs = nullptr;
    Numbering* numbering = nullptr;
    bool fieldsAsCodes = false;  // headers and footers: "{PAGE}" in place of the cached result
    std::vector<Field> fields;
    std::string part;
};

struct Context {
    const TablePlace* table = nullptr;
    bool headingRow = false;
};

struct Inline {
    Sink* sink;
    WordParagraph* paragraph;
    const std::vector<const Properties*>* styleLayers;
    std::string revision;
};

class Reader {
public:
    explicit Reader(const WordPackage& package)
        : package_(package), theme_(readThemeFonts(package)), settings_(readSettings()),
          styles_(package, theme_, get(settings_, "themeFontLang.eastAsia")), numbering_(package, styles_)
    {
    }

    WordLook read()
    {
        const xmlNode* body = xml::child(package_.root(package_.main()), kW, "body");
        if (!body)
            throw std::runtime_error(package_.path() + ": the main part has no body");
        sections(body);

        Sink main{Story::Main, &main_, &numbering_, false, {}, package_.main()};
        textBoxSink_ = Sink{Story::TextBoxes, &textBoxes_, &numbering_, false, {}, package_.main()};
        blocks(body, main, {});
        notes(Story::Footnotes, "footnotes", "footnote", footnoteOrder_, footnotes_);
        notes(Story::Endnotes, "endnotes", "endnote", endnoteOrder_, endnotes_);

        WordLook look;
        look.theme = theme_;
        look.settings = settings_;
        look.sections = sections_;
        std::map<Story, int> base;
        for (auto* story : {&main_, &footnotes_, &endnotes_, &textBoxes_}) {
            if (!story->empty())
                base.emplace(story->front().story, static_cast<int>(look.paragraphs.size()));
            look.paragraphs.insert(look.paragraphs.end(), story->begin(), story->end());
        }
        for (auto& [control, start, end] : controls_) {
            control.paragraph = base[control.story] + start.paragraph;
            control.offset = start.offset;
            const int last = base[control.story] + end.paragraph;
            for (int p = control.paragraph; p <= last && p < static_cast<int>(look.paragraphs.size()); ++p) {
                const std::u32string& text = look.paragraphs[static_cast<size_t>(p)].text;
                const size_t from = p == control.paragraph ? std::min(start.offset, text.size()) : 0;
                const size_t to = p == last ? std::min(end.offset, text.size()) : text.size();
                if (p != control.paragraph)
                    control.text += U'\n';
                if (to > from)
                    control.text += text.substr(from, to - from);
            }
            look.controls.push_back(control);
        }
        look.runLooks = std::move(runLooks_);
        return look;
    }

private:
    Properties readSettings() const
    {
        Properties settings{{"evenAndOddHeaders", "0"}, {"mirrorMargins", "0"}, {"gutterAtTop", "0"},
                            {"defaultTabStop", "720"},  {"characterSpacingControl", "doNotCompress"}};
        const std::string part = package_.related(package_.main(), "settings");
        if (part.empty() || !package_.has(part))
            return settings;
        const xmlNode* root = package_.root(part);
        for (const char* flag : {"evenAndOddHeaders", "mirrorMargins", "gutterAtTop", "autoHyphenation"})
            if (const xmlNode* node = xml::child(root, kW, flag))
                settings[flag] = xml::on(node) ? "1" : "0";
        for (const char* value : {"defaultTabStop", "characterSpacingControl", "noLineBreaksAfter", "noLineBreaksBefore"})
            if (const xmlNode* node = xml::child(root, kW, value))
                settings[value] = xml::val(node);
        if (const xmlNode* lang = xml::child(root, kW, "themeFontLang"))
            for (const char* attribute : {"val", "eastAsia", "bidi"})
                if (!xml::attr(lang, kW, attribute).empty())
                    settings[std::string("themeFontLang.") + attribute] = xml::attr(lang, kW, attribute);
        for (const char* notes : {"footnotePr", "endnotePr"})
            for (const char* element : {"numFmt", "numStart", "numRestart", "pos"})
                if (const xmlNode* node = xml::child(xml::child(root, kW, notes), kW, element))
                    settings[std::string(notes) + "." + element] = xml::val(node);
        if (const xmlNode* compat = xml::child(root, kW, "compat"))
            for (const xmlNode* c : xml::elements(compat)) {
                if (xml::is(c, kW, "compatSetting"))
                    settings["compat." + xml::attr(c, kW, "name")] = xml::attr(c, kW, "val");
                else
                    settings[std::string("compat.") + xml::name(c)] = xml::on(c) ? "1" : "0";
            }
        return settings;
    }

    // Sections, in order: each paragraph's sectPr ends one, the body's ends the last.
    void collectSectPrs(const xmlNode* container, std::vector<const xmlNode*>& found) const
    {
        for (const xmlNode* c : xml::elements(container)) {
            if (xml::is(c, kW, "p")) {
                if (const xmlNode* sectPr = xml::child(xml::child(c, kW, "pPr"), kW, "sectPr"))
                    found.push_back(sectPr);
            } else if (xml::is(c, kW, "sdt")) {
                collectSectPrs(xml::child(c, kW, "sdtContent"), found);
            } else if (xml::is(c, kW, "customXml") || xml::is(c, kW, "ins") || xml::is(c, kW, "moveTo")) {
                collectSectPrs(c, found);
            } else if (xml::is(c, xml::kMc, "AlternateContent")) {
                if (const xmlNode* branch = chosen(c))
                    collectSectPrs(branch, found);
            }
        }
    }

    void sections(const xmlNode* body)
    {
        std::vector<const xmlNode*> sectPrs;
        collectSectPrs(body, sectPrs);
        sectPrs.push_back(xml::child(body, kW, "sectPr"));  // nullptr: a section of Word's defaults
        const WordSection* previous = nullptr;
        for (const xmlNode* sectPr : sectPrs) {
            WordSection section;
            section.look = sectionLook(sectPr);
            for (const char* kind : {"header", "footer"}) {
                auto& texts = kind == std::string("header") ? section.headers : section.footers;
                if (previous)
                    texts = kind == std::string("header") ? previous->headers : previous->footers;
                for (const xmlNode* reference :
                     xml::children(sectPr, kW, kind == std::string("header") ? "headerReference" : "footerReference"))
                    texts[xml::attr(reference, kW, "type", "default")] =
                        partText(package_.target(package_.main(), xml::attr(reference, xml::kR, "id")));
            }
            Properties notes;
            for (const char* element : {"numFmt", "numStart", "numRestart"})
                if (const xmlNode* node = xml::child(xml::child(sectPr, kW, "footnotePr"), kW, element))
                    notes[element] = xml::val(node);
            footnoteSettings_.push_back(notes);
            sections_.push_back(section);
            previous = &sections_.back();
        }
    }

    // A header's or footer's text, paragraphs joined by line feeds, fields as "{NAME}".
    std::string partText(const std::string& part)
    {
        if (part.empty() || !package_.has(part))
            return "";
        std::vector<WordParagraph> paragraphs;
        Numbering numbering(package_, styles_);
        Sink sink{Story::Main, &paragraphs, &numbering, true, {}, part};
        blocks(package_.root(part), sink, {});
        std::string text;
        for (size_t i = 0; i < paragraphs.size(); ++i)
            text += (i ? "\n" : "") + paragraphs[i].label + toUtf8(paragraphs[i].text);
        return text;
    }

    void blocks(const xmlNode* container, Sink& sink, const Context& context)
    {
        for (const xmlNode* c : xml::elements(container)) {
            if (xml::is(c, kW, "p"))
                paragraph(c, sink, context);
            else if (xml::is(c, kW, "tbl"))
                table(c, sink);
            else if (xml::is(c, kW, "sdt"))
                control(c, sink, false, [&](const xmlNode* content) { blocks(content, sink, context); });
            else if (xml::is(c, kW, "customXml") || xml::is(c, kW, "ins") || xml::is(c, kW, "del") ||
                     xml::is(c, kW, "moveTo") || xml::is(c, kW, "moveFrom"))
                blocks(c, sink, context);
            else if (xml::is(c, xml::kMc, "AlternateContent")) {
                if (const xmlNode* branch = chosen(c))
                    blocks(branch, sink, context);
            }
        }
    }

    // A content control around blocks, rows, cells or runs: its properties, and where its content lies.
    template <typename Walk>
    void control(const xmlNode* sdt, Sink& sink, bool inlineLevel, Walk walk)
    {
        ContentControl control;
        control.story = sink.story;
        control.look = controlLook(xml::child(sdt, kW, "sdtPr"));
        auto here = [&](bool start) {
            Position at;
            const auto& paragraphs = *sink.paragraphs;
            if (inlineLevel || !start) {
                at.paragraph = static_cast<int>(paragraphs.size()) - 1;
                at.offset = paragraphs.empty() ? 0 : paragraphs.back().text.size();
            } else {
                at.paragraph = static_cast<int>(paragraphs.size());
            }
            return at;
        };
        const Position start = here(true);
        walk(xml::child(sdt, kW, "sdtContent"));
        if (!sink.fieldsAsCodes)  // headers and footers are read for their text alone
            controls_.push_back({control, start, here(false)});
    }

    static Properties controlLook(const xmlNode* sdtPr)
    {
        Properties look{{"type", "richText"}};
        for (const char* element : {"alias", "tag", "id", "lock"})
            if (const xmlNode* node = xml::child(sdtPr, kW, element))
                look[element] = xml::val(node);
        for (const xmlNode* c : xml::elements(sdtPr)) {
            const std::string name = xml::name(c);
            if (xml::is(c, xml::kW14, "checkbox")) {
                look["type"] = "checkbox";
                look["checked"] = xml::attr(xml::child(c, xml::kW14, "checked"), xml::kW14, "val", "0");
            } else if (c->ns && xml::is(c, kW, name.c_str()) &&
                       (name == "text" || name == "date" || name == "dropDownList" || name == "comboBox" ||
                        name == "picture" || name == "docPartObj" || name == "docPartList" || name == "group" ||
                        name == "citation" || name == "bibliography" || name == "equation" || name == "richText")) {
                look["type"] = name;
                if (name == "date") {
                    look["date.format"] = xml::val(xml::child(c, kW, "dateFormat"));
                    look["date.fullDate"] = xml::attr(c, kW, "fullDate");
                }
                for (const xmlNode* item : xml::children(c, kW, "listItem"))
                    look["items"] += xml::attr(item, kW, "displayText") + "=" + xml::attr(item, kW, "value") + "|";
                if (const xmlNode* gallery = xml::child(c, kW, "docPartGallery"))
                    look["gallery"] = xml::val(gallery);
            }
        }
        if (const xmlNode* placeholder = xml::child(sdtPr, kW, "placeholder"))
            look["placeholder"] = xml::val(xml::child(placeholder, kW, "docPart"));
        if (const xmlNode* binding = xml::child(sdtPr, kW, "dataBinding"))
            look["dataBinding"] = xml::attr(binding, kW, "xpath");
        return look;
    }

    void table(const xmlNode* tbl, Sink& sink)
    {
        const xmlNode* tblPr = xml::child(tbl, kW, "tblPr");
        TablePlace place;
        place.style = xml::val(xml::child(tblPr, kW, "tblStyle"));
        place.look = tableLook(xml::child(tblPr, kW, "tblLook"));
        place.columns = static_cast<int>(xml::children(xml::child(tbl, kW, "tblGrid"), kW, "gridCol").size());
        std::vector<const xmlNode*> rows;
        countRows(tbl, rows);
        place.rows = static_cast<int>(rows.size());
        int row = 0;
        bool heading = true;
        tableRows(tbl, sink, place, row, heading);
    }

    static void countRows(const xmlNode* container, std::vector<const xmlNode*>& rows)
    {
        for (const xmlNode* c : xml::elements(container)) {
            if (xml::is(c, kW, "tr"))
                rows.push_back(c);
            else if (xml::is(c, kW, "sdt"))
                countRows(xml::child(c, kW, "sdtContent"), rows);
            else if (xml::is(c, kW, "customXml"))
                countRows(c, rows);
        }
    }

    void tableRows(const xmlNode* container, Sink& sink, TablePlace& place, int& row, bool& heading)
    {
        for (const xmlNode* c : xml::elements(container)) {
            if (xml::is(c, kW, "tr")) {
                // Only the rows at the top of a table repeat on each page.
                heading = heading && xml::on(xml::child(xml::child(c, kW, "trPr"), kW, "tblHeader"));
                place.row = row++;
                int column = std::atoi(xml::val(xml::child(xml::child(c, kW, "trPr"), kW, "gridBefore"), "0").c_str());
                cells(c, sink, place, column, heading);
            } else if (xml::is(c, kW, "sdt")) {
                control(c, sink, false, [&](const xmlNode* content) { tableRows(content, sink, place, row, heading); });
            } else if (xml::is(c, kW, "customXml")) {
                tableRows(c, sink, place, row, heading);
            }
        }
    }

    void cells(const xmlNode* container, Sink& sink, TablePlace& place, int& column, bool heading)
    {
        for (const xmlNode* c : xml::elements(container)) {
            if (xml::is(c, kW, "tc")) {
                place.column = column;
                column += std::atoi(xml::val(xml::child(xml::child(c, kW, "tcPr"), kW, "gridSpan"), "1").c_str());
                const TablePlace cell = place;
                blocks(c, sink, Context{&cell, heading});
            } else if (xml::is(c, kW, "sdt")) {
                control(c, sink, false, [&](const xmlNode* content) { cells(content, sink, place, column, heading); });
            } else if (xml::is(c, kW, "customXml")) {
                cells(c, sink, place, column, heading);
            }
        }
    }

    const Properties& styleChain(const std::string& styleId, const char* element)
    {
        const std::string key = styleId + "\n" + element;
        auto found = chains_.find(key);
        if (found == chains_.end())
            found = chains_.emplace(key, styles_.chain(styleId, element)).first;
        return found->second;
    }

    int intern(const Properties& look)
    {
        const auto found = lookIndex_.find(look);
        if (found != lookIndex_.end())
            return found->second;
        runLooks_.push_back(look);
        return lookIndex_[look] = static_cast<int>(runLooks_.size()) - 1;
    }

    void paragraph(const xmlNode* p, Sink& sink, const Context& context)
    {
        const xmlNode* pPr = xml::child(p, kW, "pPr");
        WordParagraph paragraph;
        paragraph.story = sink.story;
        paragraph.headingRow = context.headingRow;
        paragraph.style = xml::val(xml::child(pPr, kW, "pStyle"), styles_.defaultStyle("paragraph"));
        if (sink.paragraphs == &main_)
            paragraph.section = currentSection_;

        Properties tableRun, tableParagraph, direct;
        if (context.table)
            styles_.tableLayers(*context.table, tableRun, tableParagraph);
        // Word 2013 and later let a table style's size and alignment win over
        // the default paragraph style's where the document asks for it.
        Properties tableOverRun, tableOverParagraph;
        if (context.table && paragraph.style == styles_.defaultStyle("paragraph") &&
            get(settings_, "compat.overrideTableStyleFontSizeAndJustification") == "1") {
            for (const char* key : {"sz", "szCs"})
                if (tableRun.count(key))
                    tableOverRun[key] = tableRun[key];
            if (tableParagraph.count("jc"))
                tableOverParagraph["jc"] = tableParagraph["jc"];
        }
        StyleSheet::readParagraph(pPr, direct);
        const Properties& styleParagraph = styleChain(paragraph.style, "pPr");
        const Properties& styleRun = styleChain(paragraph.style, "rPr");

        // Numbering in direct formatting outranks the style's indents; numbering
        // that comes with the style gives way to them.
        const bool directNumbering = direct.count("numPr.numId") > 0;
        const std::string numId = get(direct, "numPr.numId", get(styleParagraph, "numPr.numId"));
        const int ilvl = std::atoi(get(direct, "numPr.ilvl", get(styleParagraph, "numPr.ilvl", "0")).c_str());
        const xmlNode* level = numId.empty() || numId == "0" ? nullptr : sink.numbering->level(numId, ilvl);
        Properties levelParagraph;
        if (level)
            StyleSheet::readParagraph(xml::child(level, kW, "pPr"), levelParagraph);
        std::vector<const Properties*> layers{&styles_.defaultParagraph(), &tableParagraph};
        if (!directNumbering)
            layers.push_back(&levelParagraph);
        layers.push_back(&styleParagraph);
        layers.push_back(&tableOverParagraph);
        if (directNumbering)
            layers.push_back(&levelParagraph);
        layers.push_back(&direct);
        paragraph.look = StyleSheet::resolveParagraph(layers);

        const std::vector<const Properties*> styleLayers{&tableRun, &styleRun, &tableOverRun};
        if (level) {
            paragraph.label = sink.numbering->next(numId, ilvl);
            Properties mark;
            StyleSheet::readRun(xml::child(pPr, kW, "rPr"), mark);
            StyleSheet::readRun(xml::child(level, kW, "rPr"), mark);
            paragraph.labelLook = runLook(styleLayers, mark);
        }

        sink.paragraphs->push_back(paragraph);
        Inline in{&sink, &sink.paragraphs->back(), &styleLayers, ""};
        inlines(p, in);
        if (sink.paragraphs == &main_ && xml::child(pPr, kW, "sectPr"))
            ++currentSection_;
    }

    int runLook(const std::vector<const Properties*>& styleLayers, const Properties& direct)
    {
        const std::string characterStyle = get(direct, "rStyle", styles_.defaultStyle("character"));
        std::vector<const Properties*> layers = styleLayers;
        layers.push_back(&styleChain(characterStyle, "rPr"));
        return intern(styles_.resolveRun(layers, direct));
    }

    void inlines(const xmlNode* container, Inline& in)
    {
        for (const xmlNode* c : xml::elements(container)) {
            const std::string name = xml::name(c);
            if (xml::is(c, kW, "r")) {
                run(c, in);
            } else if (xml::is(c, kW, "ins") || xml::is(c, kW, "moveTo") || xml::is(c, kW, "del") ||
                       xml::is(c, kW, "moveFrom")) {
                Inline revised = in;
                revised.revision = std::string(name == "ins" || name == "moveTo" ? "ins " : "del ") +
                                   xml::attr(c, kW, "author");
                inlines(c, revised);
            } else if (xml::is(c, kW, "hyperlink") || xml::is(c, kW, "smartTag") || xml::is(c, kW, "customXml") ||
                       xml::is(c, kW, "fldSimple") || xml::is(c, kW, "dir") || xml::is(c, kW, "bdo")) {
                if (xml::is(c, kW, "fldSimple") && in.sink->fieldsAsCodes)
                    emit(in, toUtf32("{" + fieldName(xml::attr(c, kW, "instr")) + "}"), styleLook(in));
                else
                    inlines(c, in);
            } else if (xml::is(c, kW, "sdt")) {
                control(c, *in.sink, true, [&](const xmlNode* content) { inlines(content, in); });
            } else if (xml::is(c, xml::kMc, "AlternateContent")) {
                if (const xmlNode* branch = chosen(c))
                    inlines(branch, in);
            }
        }
    }

    static std::string fieldName(const std::string& instruction)
    {
        const size_t start = instruction.find_first_not_of(' ');
        if (start == std::string::npos)
            return "";
        return instruction.substr(start, instruction.find(' ', start) - start);
    }

    int styleLook(Inline& in) { return runLook(*in.styleLayers, {}); }

    bool inFieldCode(const Sink& sink) const
    {
        for (const Field& f : sink.fields)
            if (f.code)
                return true;
        return false;
    }

    void emit(Inline& in, const std::u32string& text, int look)
    {
        if (inFieldCode(*in.sink))
            return;
        if (in.sink->fieldsAsCodes && !in.sink->fields.empty())
            return;  // a field's cached result; its "{NAME}" stands for it
        in.paragraph->text += text;
        in.paragraph->looks.insert(in.paragraph->looks.end(), text.size(), look);
    }

    void run(const xmlNode* r, Inline& in)
    {
        Properties direct;
        StyleSheet::readRun(xml::child(r, kW, "rPr"), direct);
        if (!in.revision.empty())
            direct["revision"] = in.revision;
        const int look = runLook(*in.styleLayers, direct);
        runContent(r, in, look);
    }

    void runContent(const xmlNode* r, Inline& in, int look)
    {
        Sink& sink = *in.sink;
        for (const xmlNode* c : xml::elements(r)) {
            const std::string name = c->ns && xml::is(c, kW, xml::name(c)) ? xml::name(c) : "";
            if (name == "t" || name == "delText") {
                const xmlChar* content = xmlNodeGetContent(c);
                emit(in, toUtf32(content ? reinterpret_cast<const char*>(content) : ""), look);
                xmlFree(const_cast<xmlChar*>(content));
            } else if (name == "instrText" || name == "delInstrText") {
                if (!sink.fields.empty() && sink.fields.back().code) {
                    const xmlChar* content = xmlNodeGetContent(c);
                    sink.fields.back().instruction += content ? reinterpret_cast<const char*>(content) : "";
                    xmlFree(const_cast<xmlChar*>(content));
                }
            } else if (name == "fldChar") {
                const std::string type = xml::attr(c, kW, "fldCharType");
                if (type == "begin") {
                    sink.fields.push_back({});
                } else if (type == "separate" && !sink.fields.empty()) {
                    sink.fields.back().code = false;
                    if (sink.fieldsAsCodes && sink.fields.size() == 1) {
                        const std::string instruction = sink.fields.back().instruction;
                        sink.fields.pop_back();
                        emit(in, toUtf32("{" + fieldName(instruction) + "}"), look);
                        sink.fields.push_back({false, instruction});
                    }
                } else if (type == "end" && !sink.fields.empty()) {
                    const Field field = sink.fields.back();
                    sink.fields.pop_back();
                    if (sink.fieldsAsCodes && field.code && sink.fields.empty())
                        emit(in, toUtf32("{" + fieldName(field.instruction) + "}"), look);
                }
            } else if (name == "tab" || name == "ptab") {
                emit(in, U"\t", look);
            } else if (name == "br") {
                const std::string type = xml::attr(c, kW, "type");
                emit(in, std::u32string(1, type == "page" || type == "column" ? kPageBreak : kLineBreak), look);
            } else if (name == "cr") {
                emit(in, std::u32string(1, kLineBreak), look);
            } else if (name == "noBreakHyphen") {
                emit(in, U"\u2011", look);
            } else if (name == "sym") {
                emit(in, std::u32string(1, static_cast<char32_t>(std::strtoul(xml::attr(c, kW, "char").c_str(), nullptr, 16))),
                     look);
            } else if (name == "drawing" || name == "pict" || name == "object") {
                emit(in, std::u32string(1, kObject), look);
                if (!inFieldCode(sink))
                    textBoxes(c, sink);
            } else if (name == "footnoteReference" || name == "endnoteReference") {
                const std::string custom = xml::attr(c, kW, "customMarkFollows");
                const bool customMark = custom == "1" || custom == "true" || custom == "on";
                emit(in, toUtf32(noteReference(name == "footnoteReference", xml::attr(c, kW, "id"), customMark)), look);
            } else if (name == "footnoteRef" || name == "endnoteRef") {
                emit(in, toUtf32(noteMark_), look);
            } else if (xml::is(c, xml::kMc, "AlternateContent")) {
                if (const xmlNode* branch = chosen(c))
                    runContent(branch, in, look);
            }
        }
    }

    void textBoxes(const xmlNode* shape, const Sink& sink)
    {
        if (sink.fieldsAsCodes || sink.story == Story::TextBoxes)
            return;  // only the main story's text boxes are read, each once
        std::vector<const xmlNode*> boxes;
        findTextBoxes(shape, boxes);
        for (const xmlNode* box : boxes)
            blocks(box, textBoxSink_, {});
    }

    // The number a note reference shows, counted in the main story's order;
    // a note with a mark of its own takes no number.
    std::string noteReference(bool footnote, const std::string& id, bool customMark)
    {
        auto& order = footnote ? footnoteOrder_ : endnoteOrder_;
        if (customMark) {
            order.emplace_back(id, "");
            return "";
        }
        int& counter = footnote ? footnoteCounter_ : endnoteCounter_;
        const Properties& local = footnote && currentSection_ < static_cast<int>(footnoteSettings_.size())
                                      ? footnoteSettings_[static_cast<size_t>(currentSection_)]
                                      : Properties{};
        const char* prefix = footnote ? "footnotePr." : "endnotePr.";
        const std::string start = get(local, "numStart", get(settings_, std::string(prefix) + "numStart", "1"));
        int& counted = footnote ? footnoteSection_ : endnoteSection_;
        if (counted < 0 || (footnote && counted != currentSection_ && get(local, "numRestart") == "eachSect"))
            counter = std::atoi(start.c_str());
        else
            ++counter;
        counted = currentSection_;
        const std::string format =
            get(local, "numFmt", get(settings_, std::string(prefix) + "numFmt", footnote ? "decimal" : "lowerRoman"));
        const std::string mark = formatNumber(counter, format);
        order.emplace_back(id, mark);
        return mark;
    }

    void notes(Story story, const char* kind, const char* element, const std::vector<std::pair<std::string, std::string>>& order,
               std::vector<WordParagraph>& out)
    {
        const std::string part = package_.related(package_.main(), kind);
        if (part.empty() || !package_.has(part) || order.empty())
            return;
        std::map<std::string, const xmlNode*> byId;
        for (const xmlNode* note : xml::children(package_.root(part), kW, element))
            byId[xml::attr(note, kW, "id")] = note;
        Numbering numbering(package_, styles_);
        Sink sink{story, &out, &numbering, false, {}, part};
        for (const auto& [id, mark] : order) {
            const auto found = byId.find(id);
            if (found == byId.end())
                continue;
            noteMark_ = mark;
            blocks(found->second, sink, {});
        }
    }

    const WordPackage& package_;
    Properties theme_, settings_;
    StyleSheet styles_;
    Numbering numbering_;
    std::vector<WordSection> sections_;
    std::vector<Properties> footnoteSettings_;  // per section
    int currentSection_ = 0;
    std::vector<WordParagraph> main_, footnotes_, endnotes_, textBoxes_;
    Sink textBoxSink_;
    struct Recorded {
        ContentControl control;
        Position start, end;
    };
    std::vector<Recorded> controls_;
    std::vector<std::pair<std::string, std::string>> footnoteOrder_, endnoteOrder_;  // id, mark
    int footnoteCounter_ = 0, endnoteCounter_ = 0;
    int footnoteSection_ = -1, endnoteSection_ = -1;  // the section of the last one counted, -1 before the first
    std::string noteMark_;
    std::map<std::string, Properties> chains_;
    std::vector<Properties> runLooks_;
    std::map<Properties, int> lookIndex_;
};

}  // namespace

const char* storyName(Story story)
{
    switch (story) {
    case Story::Main:
        return "body";
    case Story::Footnotes:
        return "footnotes";
    case Story::Endnotes:
        return "endnotes";
    case Story::TextBoxes:
        return "text boxes";
    }
    return "";
}

namespace {

// Which of a section's headers (or footers) a page shows: the first page's
// where the section has one, else the even pages' where the document has
// them, else the default; one the section lacks shows nothing.
std::string shown(const WordSection& section, const std::map<std::string, std::string>& parts, bool firstOfSection,
                  int pageNumber, bool evenAndOdd)
{
    const bool titlePage = section.look.count("titlePg") && section.look.at("titlePg") == "1";
    const char* type = firstOfSection && titlePage ? "first" : evenAndOdd && pageNumber % 2 == 0 ? "even" : "default";
    const auto found = parts.find(type);
    return found == parts.end() ? "" : found->second;
}

}  // namespace

std::string WordSection::shownHeader(bool firstOfSection, int pageNumber, bool evenAndOdd) const
{
    return shown(*this, headers, firstOfSection, pageNumber, evenAndOdd);
}

std::string WordSection::shownFooter(bool firstOfSection, int pageNumber, bool evenAndOdd) const
{
    return shown(*this, footers, firstOfSection, pageNumber, evenAndOdd);
}

const Properties& WordLook::charLook(size_t paragraph, size_t index) const
{
    return runLooks.at(static_cast<size_t>(paragraphs.at(paragraph).looks.at(index)));
}

bool WordLook::evenAndOddHeaders() const
{
    const auto found = settings.find("evenAndOddHeaders");
    return found != settings.end() && found->second == "1";
}

WordLook readWordLook(const std::string& path)
{
    const WordPackage package(path);
    return Reader(package).read();
}

const WordParagraph* findParagraph(const WordLook& look, const std::string& utf8, Story story)
{
    const std::u32string wanted = toUtf32(utf8);
    for (const auto& p : look.paragraphs)
        if (p.story == story && p.text.find(wanted) != std::u32string::npos)
            return &p;
    return nullptr;
}

const Properties* findCharLook(const WordLook& look, const std::string& utf8, Story story)
{
    const std::u32string wanted = toUtf32(utf8);
    for (size_t i = 0; i < look.paragraphs.size(); ++i) {
        const auto& p = look.paragraphs[i];
        const size_t at = p.story == story ? p.text.find(wanted) : std::u32string::npos;
        if (at != std::u32string::npos)
            return &look.charLook(i, at);
    }
    return nullptr;
}

std::string describe(const Properties& properties)
{
    std::string out;
    for (const auto& [key, value] : properties)
        out += (out.empty() ? "" : " ") + key + "=" + value;
    return out;
}

}  // namespace tessaro::test
