#include "text_look.h"

#include "document/document.h"

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextTable.hpp>

#include <algorithm>
#include <cstdio>
#include <map>

namespace tessaro::test {

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == 0x3000 || c == 0xA0; }

// CJK symbols, ideographs, syllables and full-width forms are drawn in the Asian font.
bool isAsian(char16_t c) { return (c >= 0x2E80 && c < 0xD800) || (c >= 0xF900 && c < 0xFB00) || (c >= 0xFF00 && c < 0xFFF0); }

std::string lookName(const Reference<css::beans::XPropertySet>& portion, bool asian)
{
    const char* suffix = asian ? "Asian" : "";
    auto get = [&](const char* name) { return portion->getPropertyValue(ou(std::string(name) + suffix)); };
    const std::string font = utf8(get("CharFontName").get<rtl::OUString>());
    const float size = get("CharHeight").get<float>();
    const float weight = get("CharWeight").get<float>();
    const auto slant = get("CharPosture").get<css::awt::FontSlant>();
    const sal_Int32 colour = portion->getPropertyValue("CharColor").get<sal_Int32>();
    char text[64];
    std::snprintf(text, sizeof text, " %gpt ", size);
    std::string name = font + text;
    // Automatic colour is black on a white page; Word export writes it out as black.
    std::snprintf(text, sizeof text, "#%06X", colour == -1 ? 0u : unsigned(colour) & 0xFFFFFFu);
    name += text;
    if (weight > 100)
        name += " bold";
    if (slant != css::awt::FontSlant_NONE)
        name += " italic";
    return name;
}

class Reader {
public:
    explicit Reader(LookedText& out) : out_(out) {}

    void text(const Reference<css::text::XText>& text)
    {
        Reference<css::container::XEnumerationAccess> access(text, UNO_QUERY_THROW);
        const auto paragraphs = access->createEnumeration();
        while (paragraphs->hasMoreElements()) {
            Reference<css::lang::XServiceInfo> element(paragraphs->nextElement(), UNO_QUERY_THROW);
            if (Reference<css::text::XTextTable> table{element, UNO_QUERY}; table.is()) {
                for (const auto& name : table->getCellNames())
                    this->text(Reference<css::text::XText>(table->getCellByName(name), UNO_QUERY_THROW));
            } else if (element->supportsService("com.sun.star.text.Paragraph")) {
                paragraph(element);
            }
        }
    }

private:
    void paragraph(const Reference<css::lang::XServiceInfo>& paragraph)
    {
        Reference<css::beans::XPropertySet> properties(paragraph, UNO_QUERY_THROW);
        // A list's numbers are no characters of the text, but a list that
        // numbers on from another one reads otherwise.
        std::u16string label;
        if (properties->getPropertySetInfo()->hasPropertyByName("ListLabelString"))
            label = toU16(properties->getPropertyValue("ListLabelString").get<rtl::OUString>());
        Reference<css::container::XEnumerationAccess> access(paragraph, UNO_QUERY_THROW);
        const auto portions = access->createEnumeration();
        while (portions->hasMoreElements()) {
            Reference<css::beans::XPropertySet> portion(portions->nextElement(), UNO_QUERY_THROW);
            if (portion->getPropertyValue("TextPortionType").get<rtl::OUString>() != "Text")
                continue;
            add(label + toU16(Reference<css::text::XTextRange>(portion, UNO_QUERY_THROW)->getString()), portion);
            label.clear();
        }
    }

    void add(const std::u16string& text, const Reference<css::beans::XPropertySet>& portion)
    {
        int looks[2] = {-1, -1};  // Western, Asian: read once a character needs it
        for (char16_t c : text) {
            if (isBlank(c))
                continue;
            int& look = looks[isAsian(c)];
            if (look < 0)
                look = index(lookName(portion, isAsian(c)));
            out_.text += c;
            out_.looks.push_back(look);
        }
    }

    int index(const std::string& name)
    {
        const auto [at, added] = known_.emplace(name, int(out_.names.size()));
        if (added)
            out_.names.push_back(name);
        return at->second;
    }

    static std::u16string toU16(const rtl::OUString& text)
    {
        return std::u16string(reinterpret_cast<const char16_t*>(text.getStr()), size_t(text.getLength()));
    }

    LookedText& out_;
    std::map<std::string, int> known_;
};

std::string quote(const std::u16string& text, size_t at)
{
    const std::u16string piece = text.substr(std::min(at, text.size()), 16);
    return "\"" + utf8(rtl::OUString(reinterpret_cast<const sal_Unicode*>(piece.data()), sal_Int32(piece.size()))) +
           "\"";
}

}  // namespace

LookedText readTextLook(Office& office, const std::string& document)
{
    LookedText out;
    Document doc = loadDocument(office.desktop(), document, true);
    // Laid out first: the office's idle work on a fresh document could
    // otherwise replace paragraphs while they are read.
    completeLayout(doc);
    Reader(out).text(doc.text()->getText());
    return out;
}

LookComparison compareTextLook(const std::vector<LookedText>& sources, const LookedText& result)
{
    LookComparison comparison;
    comparison.total = int(sources.size());
    size_t at = 0;  // where the next source starts in the result
    bool lost = false;  // the texts no longer line up
    for (size_t s = 0; s < sources.size(); ++s) {
        const LookedText& source = sources[s];
        const std::string where = "document " + std::to_string(s + 1);
        std::string difference = lost ? where + ": not compared, the text before it differs" : "";
        for (size_t i = 0; i < source.text.size() && difference.empty(); ++i) {
            const size_t r = at + i;
            const auto character = [&] { return where + " character " + std::to_string(i + 1); };
            if (r >= result.text.size() || result.text[r] != source.text[i]) {
                difference = character() + ": text " + quote(result.text, r) + " instead of " + quote(source.text, i);
                lost = true;
            } else if (result.names[result.looks[r]] != source.names[source.looks[i]]) {
                difference = character() + " " + quote(source.text, i) + ": " + result.names[result.looks[r]] +
                             " instead of " + source.names[source.looks[i]];
            }
        }
        at += source.text.size();
        if (difference.empty())
            ++comparison.same;
        else
            comparison.differences.push_back(difference);
    }
    if (!lost && at < result.text.size())
        comparison.differences.push_back("text after the last document: " + quote(result.text, at));
    return comparison;
}

std::string LookComparison::report() const
{
    std::string out = "documents whose text looks as in their source: " + std::to_string(same) + " of " +
                      std::to_string(total);
    for (const auto& difference : differences)
        out += "\n  " + difference;
    return out;
}

}  // namespace tessaro::test
