#include "document/own_styles.h"

#include "files/zip_archive.h"

#include <com/sun/star/beans/PropertyAttribute.hpp>
#include <com/sun/star/beans/PropertyState.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/beans/XPropertyState.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/style/XStyle.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XText.hpp>

#include <algorithm>
#include <cctype>
#include <set>
#include <vector>

namespace tessaro {

namespace {

// Character and paragraph formatting only: page breaks, page styles and
// list membership set on a root style would reach every paragraph. Rotation
// stays unsaid: the RTF export writes its keyword for any rotation, none
// too, and read back the keyword alone turns the text on its side.
bool looksOfText(const rtl::OUString& name)
{
    return (name.startsWith("Char") || name.startsWith("Para")) && name.indexOf("Style") < 0 &&
           name.indexOf("Numbering") < 0 && !name.startsWith("CharRotation");
}

template <typename T>
css::uno::Sequence<T> sequenceOf(const std::vector<T>& items)
{
    return css::uno::Sequence<T>(items.data(), static_cast<sal_Int32>(items.size()));
}

// The values of `style` that are its defaults, not its own, by name. Asked
// for all at once: one by one, the calls to the office took a tenth of a
// second a document.
struct Values {
    std::vector<rtl::OUString> names;
    std::vector<css::uno::Any> values;
};

Values defaultValues(const Reference<css::beans::XPropertySet>& style)
{
    std::vector<rtl::OUString> names;
    for (const auto& property : style->getPropertySetInfo()->getProperties())
        if (!(property.Attributes & css::beans::PropertyAttribute::READONLY) && looksOfText(property.Name))
            names.push_back(property.Name);
    const auto states = Reference<css::beans::XPropertyState>(style, UNO_QUERY_THROW)->getPropertyStates(sequenceOf(names));
    std::vector<rtl::OUString> defaults;
    for (size_t k = 0; k < names.size(); ++k)
        if (states[static_cast<sal_Int32>(k)] == css::beans::PropertyState_DEFAULT_VALUE)
            defaults.push_back(names[k]);
    css::uno::Sequence<css::uno::Any> values(static_cast<sal_Int32>(defaults.size()));
    try {
        values = Reference<css::beans::XMultiPropertySet>(style, UNO_QUERY_THROW)->getPropertyValues(sequenceOf(defaults));
    } catch (const css::uno::Exception&) {
        for (size_t k = 0; k < defaults.size(); ++k) {
            try {
                values.getArray()[k] = style->getPropertyValue(defaults[k]);
            } catch (const css::uno::Exception&) {
                // Left out, as a value that cannot be set alone (below).
            }
        }
    }
    Values given;
    for (size_t k = 0; k < defaults.size(); ++k)
        if (values[static_cast<sal_Int32>(k)].hasValue()) {
            given.names.push_back(defaults[k]);
            given.values.push_back(values[static_cast<sal_Int32>(k)]);
        }
    return given;
}

// The document's defaults are not inserted with it: its root paragraph
// styles (the ones all others inherit from) get every default value as their own.
void spellOutDefaults(const Document& source)
{
    Reference<css::style::XStyleFamiliesSupplier> supplier(source.component(), UNO_QUERY_THROW);
    Reference<css::container::XNameAccess> styles(supplier->getStyleFamilies()->getByName("ParagraphStyles"),
                                                  UNO_QUERY_THROW);
    for (const auto& name : styles->getElementNames()) {
        Reference<css::beans::XPropertySet> style(styles->getByName(name), UNO_QUERY_THROW);
        if (!Reference<css::style::XStyle>(style, UNO_QUERY_THROW)->getParentStyle().isEmpty())
            continue;
        const Values given = defaultValues(style);
        try {
            // Together, the style's paragraphs are formatted again once, not once a value.
            Reference<css::beans::XMultiPropertySet>(style, UNO_QUERY_THROW)
                ->setPropertyValues(sequenceOf(given.names), sequenceOf(given.values));
        } catch (const css::uno::Exception&) {
            for (size_t k = 0; k < given.names.size(); ++k) {
                try {
                    style->setPropertyValue(given.names[k], given.values[k]);
                } catch (const css::uno::Exception&) {
                    // Values that only exist together with others (a list
                    // level without a list) stay as they are: the target's
                    // default for them is the same empty one.
                }
            }
        }
    }
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

const char* const kStyleElements[] = {"<style:style ", "<text:list-style ", "<style:master-page "};

bool isStyleElement(const std::string& xml, size_t at)
{
    for (const char* element : kStyleElements)
        if (xml.compare(at, std::string(element).size(), element) == 0)
            return true;
    return false;
}

// The named (not automatic) styles, list styles and page styles of styles.xml.
std::set<std::string> namedStyles(const std::string& styles)
{
    std::set<std::string> names;
    for (const char* section : {"office:styles", "office:master-styles"}) {
        const auto begin = styles.find("<" + std::string(section) + ">");
        const auto end = styles.find("</" + std::string(section) + ">");
        if (begin == std::string::npos || end == std::string::npos)
            continue;
        for (auto at = styles.find('<', begin); at != std::string::npos && at < end; at = styles.find('<', at + 1)) {
            if (!isStyleElement(styles, at))
                continue;
            const auto close = styles.find('>', at);
            const auto name = styles.find(" style:name=\"", at);
            if (name == std::string::npos || name > close)
                continue;
            const auto value = name + 13;
            names.insert(styles.substr(value, styles.find('"', value) - value));
        }
    }
    return names;
}

bool namesAStyle(const std::string& attribute)
{
    return attribute == "style:name" || endsWith(attribute, "style-name") || endsWith(attribute, "master-page-name");
}

// Rewrites every attribute that names one of `names`, and the display name
// of each renamed style, in one pass over the text.
std::string rewrite(const std::string& xml, const std::set<std::string>& names, int number)
{
    // A hyphen is allowed in an ODF style name and needs no escaping.
    const std::string nameSuffix = "-" + std::to_string(number);
    const std::string displaySuffix = " (" + std::to_string(number) + ")";
    std::string out;
    out.reserve(xml.size() + xml.size() / 16);
    size_t renamedTag = std::string::npos;  // where the element whose name changed begins
    size_t copied = 0;
    for (size_t at = xml.find("=\""); at != std::string::npos; at = xml.find("=\"", at + 2)) {
        size_t start = at;
        while (start > 0 && (std::isalnum(static_cast<unsigned char>(xml[start - 1])) || xml[start - 1] == ':' ||
                             xml[start - 1] == '-' || xml[start - 1] == '_'))
            --start;
        const std::string attribute = xml.substr(start, at - start);
        const size_t value = at + 2;
        const size_t end = xml.find('"', value);
        if (end == std::string::npos)
            break;
        const std::string current = xml.substr(value, end - value);
        std::string replacement;
        // A font face or other element may carry a style's name as its own.
        const bool ownName = attribute == "style:name";
        if (namesAStyle(attribute) && names.count(current) && (!ownName || isStyleElement(xml, xml.rfind('<', start)))) {
            replacement = current + nameSuffix;
            if (ownName)
                renamedTag = xml.rfind('<', start);
        } else if (attribute == "style:display-name" && renamedTag == xml.rfind('<', start)) {
            replacement = current + displaySuffix;
        } else {
            continue;
        }
        out.append(xml, copied, value - copied);
        out += replacement;
        copied = end;
        at = end;
    }
    out.append(xml, copied, std::string::npos);
    return out;
}

// N of a name ending in "-N" or " (N)", or 0.
int styleNumber(const std::string& name)
{
    size_t end = name.size();
    const bool parenthesised = end > 0 && name[end - 1] == ')';
    if (parenthesised)
        --end;
    size_t digits = end;
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])))
        --digits;
    if (digits == end || end - digits > 6)
        return 0;
    const bool marked = parenthesised ? digits >= 2 && name.compare(digits - 2, 2, " (") == 0
                                      : digits >= 1 && name[digits - 1] == '-';
    return marked ? std::stoi(name.substr(digits, end - digits)) : 0;
}

// An empty paragraph in no list before the body's first paragraph or table.
Reference<css::beans::XPropertySet> leadParagraph(const Document& source, const Reference<css::beans::XPropertySet>& first)
{
    Reference<css::text::XText> body = source.text()->getText();
    if (isTable(Reference<css::lang::XServiceInfo>(first, UNO_QUERY_THROW)))
        insertParagraph(source, Reference<css::text::XTextContent>(first, UNO_QUERY_THROW), false);
    else
        // Split off at its start, the paragraph keeps its text and the empty
        // one before it takes a copy of its formatting, list included.
        body->insertControlCharacter(body->getStart(), css::text::ControlCharacter::PARAGRAPH_BREAK, false);
    // Formatted through a cursor in it: the paragraph object the body hands
    // out right after the insertion is now and then the one inserted, which
    // the office no longer takes as valid.
    Reference<css::beans::XPropertySet> lead(body->createTextCursorByRange(body->getStart()), UNO_QUERY_THROW);
    lead->setPropertyValue("ParaStyleName", css::uno::Any(rtl::OUString("Standard")));
    lead->setPropertyValue("NumberingStyleName", css::uno::Any(rtl::OUString()));
    return lead;
}

}  // namespace

int highestStyleNumber(const Document& target)
{
    Reference<css::style::XStyleFamiliesSupplier> supplier(target.component(), UNO_QUERY_THROW);
    Reference<css::container::XNameAccess> families = supplier->getStyleFamilies();
    int highest = 0;
    for (const auto& family : families->getElementNames()) {
        Reference<css::container::XNameAccess> styles(families->getByName(family), UNO_QUERY_THROW);
        for (const auto& name : styles->getElementNames())
            highest = std::max(highest, styleNumber(utf8(name)));
    }
    return highest;
}

void writeForInsertion(const Document& source, bool pageStart, bool atEnd, const std::string& odt)
{
    // Every style value set would otherwise lay all its pages out again (40 s for 1,000).
    LockedControllers locked(source);
    spellOutDefaults(source);
    if (pageStart) {
        // The first page's style is implied by the document, not named by its
        // text; a paragraph or table that names it starts a page with it.
        Reference<css::text::XText> body = source.text()->getText();
        const css::uno::Any start = getProperty(body->createTextCursorByRange(body->getStart()), "PageStyleName");
        Reference<css::container::XEnumerationAccess> parts(body, UNO_QUERY_THROW);
        Reference<css::beans::XPropertySet> first(parts->createEnumeration()->nextElement(), UNO_QUERY_THROW);
        // A table that opens the document holds its page number, not the cell under the cursor.
        const css::uno::Any number = first->getPropertyValue("PageNumberOffset");
        // Joined to the paragraph the cursor stands in, a first paragraph that
        // is a list item lost its page style and its list: an empty paragraph
        // goes first and carries the page style (see passOnPageStart).
        Reference<css::beans::XPropertySet> lead = leadParagraph(source, first);
        lead->setPropertyValue("PageDescName", start);
        lead->setPropertyValue("PageNumberOffset", number.hasValue() ? number : css::uno::Any(sal_Int16(1)));
    }
    if (atEnd)
        appendParagraph(source);
    storeScratch(source, odt);
}

void passOnPageStart(const Reference<css::text::XTextRange>& inserted)
{
    // Only as far as the paragraph after the lead and the table, if any,
    // before it: going through all that was inserted took seconds at 1,000 pages.
    Reference<css::text::XParagraphCursor> reach(inserted->getText()->createTextCursorByRange(inserted->getStart()),
                                                 UNO_QUERY_THROW);
    if (!reach->gotoNextParagraph(true))
        return;
    Reference<css::container::XEnumeration> blocks =
        Reference<css::container::XEnumerationAccess>(reach, UNO_QUERY_THROW)->createEnumeration();
    Reference<css::beans::XPropertySet> lead(blocks->nextElement(), UNO_QUERY_THROW);
    if (!blocks->hasMoreElements())
        return;
    Reference<css::beans::XPropertySet> next(blocks->nextElement(), UNO_QUERY_THROW);
    for (const char* name : {"PageDescName", "PageNumberOffset"})
        next->setPropertyValue(ou(name), lead->getPropertyValue(ou(name)));
    Reference<css::lang::XComponent>(lead, UNO_QUERY_THROW)->dispose();
}

void renameStylesInXml(std::string& styles, std::string& content, int number)
{
    const std::set<std::string> names = namedStyles(styles);
    styles = rewrite(styles, names, number);
    content = rewrite(content, names, number);
}

void renameStyles(const std::string& odt, int number)
{
    ZipArchive package(odt);
    std::string styles = package.read("styles.xml");
    std::string content = package.read("content.xml");
    renameStylesInXml(styles, content, number);
    package.replace("styles.xml", styles);
    package.replace("content.xml", content);
    package.write(odt);
}

}  // namespace tessaro
