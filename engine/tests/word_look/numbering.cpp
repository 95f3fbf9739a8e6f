#include "word_look/numbering.h"

#include "word_look/utf.h"

#include <cstdlib>

namespace tessaro::test {

namespace {

using xml::kW;

std::string roman(int n)
{
    static const std::pair<int, const char*> kDigits[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"},
                                                         {100, "C"},  {90, "XC"},  {50, "L"},  {40, "XL"},
                                                         {10, "X"},   {9, "IX"},   {5, "V"},   {4, "IV"},
                                                         {1, "I"}};
    std::string out;
    for (const auto& [value, digits] : kDigits)
        for (; n >= value; n -= value)
            out += digits;
    return out;
}

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Chinese counting as Word writes it below ten thousand: 十, 十一, 二十, 一百零一.
std::string chineseCounting(int n, const char32_t* digits, const char32_t* units)
{
    if (n <= 0 || n >= 10000)
        return std::to_string(n);
    std::u32string out;
    const int parts[] = {n / 1000, n / 100 % 10, n / 10 % 10, n % 10};
    bool gap = false;
    for (int k = 0; k < 4; ++k) {
        const int digit = parts[k];
        if (digit == 0) {
            gap = !out.empty();
            continue;
        }
        if (gap)
            out += digits[0];
        gap = false;
        // 十 alone for 10–19 when it leads.
        if (!(k == 2 && digit == 1 && out.empty()))
            out += digits[digit];
        if (k < 3)
            out += units[k];
    }
    return toUtf8(out);
}

}  // namespace

std::string formatNumber(int n, const std::string& numFmt)
{
    if (numFmt == "none")
        return "";
    if (numFmt == "decimalZero")
        return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n);
    if ((numFmt == "upperRoman" || numFmt == "lowerRoman") && n > 0)
        return numFmt == "upperRoman" ? roman(n) : lower(roman(n));
    if ((numFmt == "upperLetter" || numFmt == "lowerLetter") && n > 0) {
        const std::string letters(static_cast<size_t>((n - 1) / 26 + 1), static_cast<char>('A' + (n - 1) % 26));
        return numFmt == "upperLetter" ? letters : lower(letters);
    }
    if (numFmt == "chineseCounting" || numFmt == "chineseCountingThousand" || numFmt == "japaneseCounting" ||
        numFmt == "taiwaneseCounting" || numFmt == "taiwaneseCountingThousand")
        return chineseCounting(n, U"零一二三四五六七八九", U"千百十");
    if (numFmt == "chineseLegalSimplified")
        return chineseCounting(n, U"零壹贰叁肆伍陆柒捌玖", U"仟佰拾");
    if (numFmt == "ideographTraditional" && n >= 1 && n <= 10)
        return toUtf8(std::u32string(1, U"甲乙丙丁戊己庚辛壬癸"[n - 1]));
    if (numFmt == "ideographZodiac" && n >= 1 && n <= 12)
        return toUtf8(std::u32string(1, U"子丑寅卯辰巳午未申酉戌亥"[n - 1]));
    if ((numFmt == "decimalEnclosedCircle" || numFmt == "decimalEnclosedCircleChinese") && n >= 1 && n <= 20)
        return toUtf8(static_cast<char32_t>(0x2460 + n - 1));
    if (numFmt == "decimalFullWidth" || numFmt == "decimalFullWidth2") {
        std::u32string out;
        for (char c : std::to_string(n))
            out += static_cast<char32_t>(0xFF10 + (c - '0'));
        return toUtf8(out);
    }
    if (numFmt == "ordinal") {
        const int tens = n % 100, ones = n % 10;
        const char* suffix = tens >= 11 && tens <= 13 ? "th" : ones == 1 ? "st" : ones == 2 ? "nd" : ones == 3 ? "rd" : "th";
        return std::to_string(n) + suffix;
    }
    return std::to_string(n);
}

Numbering::Numbering(const WordPackage& package, const StyleSheet& styles) : styles_(styles)
{
    const std::string part = package.related(package.main(), "numbering");
    if (part.empty() || !package.has(part))
        return;
    const xmlNode* root = package.root(part);
    for (const xmlNode* a : xml::children(root, kW, "abstractNum"))
        abstracts_[xml::attr(a, kW, "abstractNumId")] = a;
    for (const xmlNode* n : xml::children(root, kW, "num")) {
        Instance instance;
        instance.abstractId = xml::val(xml::child(n, kW, "abstractNumId"));
        for (const xmlNode* o : xml::children(n, kW, "lvlOverride")) {
            const int ilvl = std::atoi(xml::attr(o, kW, "ilvl").c_str());
            if (const xmlNode* start = xml::child(o, kW, "startOverride"))
                instance.starts[ilvl] = std::atoi(xml::val(start).c_str());
            if (const xmlNode* lvl = xml::child(o, kW, "lvl"))
                instance.levels[ilvl] = lvl;
        }
        instances_[xml::attr(n, kW, "numId")] = instance;
    }
}

const Numbering::Instance* Numbering::instance(const std::string& numId) const
{
    const auto found = instances_.find(numId);
    return found == instances_.end() ? nullptr : &found->second;
}

// The abstract list that holds the levels: through a numbering style
// (numStyleLink) where the abstract list only points at one.
std::string Numbering::abstractOf(const std::string& numId, int depth) const
{
    const Instance* num = instance(numId);
    if (!num)
        return "";
    const auto abstract = abstracts_.find(num->abstractId);
    if (abstract == abstracts_.end())
        return "";
    const xmlNode* link = xml::child(abstract->second, kW, "numStyleLink");
    if (link && depth < 4) {
        const Properties numbering = styles_.styleNumbering(xml::val(link));
        if (numbering.count("numPr.numId"))
            return abstractOf(numbering.at("numPr.numId"), depth + 1);
    }
    return num->abstractId;
}

const xmlNode* Numbering::level(const std::string& numId, int ilvl) const
{
    const Instance* num = instance(numId);
    if (!num || ilvl < 0 || ilvl > 8)
        return nullptr;
    if (num->levels.count(ilvl))
        return num->levels.at(ilvl);
    const auto abstract = abstracts_.find(abstractOf(numId));
    if (abstract == abstracts_.end())
        return nullptr;
    for (const xmlNode* lvl : xml::children(abstract->second, kW, "lvl"))
        if (std::atoi(xml::attr(lvl, kW, "ilvl").c_str()) == ilvl)
            return lvl;
    return nullptr;
}

int Numbering::startOf(const std::string& numId, int ilvl) const
{
    const Instance* num = instance(numId);
    if (num && num->starts.count(ilvl))
        return num->starts.at(ilvl);
    return std::atoi(xml::val(xml::child(level(numId, ilvl), kW, "start"), "0").c_str());
}

std::string Numbering::next(const std::string& numId, int ilvl)
{
    const xmlNode* lvl = level(numId, ilvl);
    if (!lvl)
        return "";
    Counters& counters = counters_[abstractOf(numId)];
    if (used_.insert(numId).second)
        for (const auto& [overridden, start] : instance(numId)->starts)
            if (overridden >= 0 && overridden < 9)
                counters.counted[overridden] = false;
    counters.value[ilvl] = counters.counted[ilvl] ? counters.value[ilvl] + 1 : startOf(numId, ilvl);
    counters.counted[ilvl] = true;
    for (int deeper = ilvl + 1; deeper < 9; ++deeper)
        counters.counted[deeper] = false;

    const std::string format = xml::val(xml::child(lvl, kW, "numFmt"), "decimal");
    const std::string text = xml::val(xml::child(lvl, kW, "lvlText"));
    if (format == "bullet")
        return text;
    const bool legal = xml::on(xml::child(lvl, kW, "isLgl"));
    std::string label;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const int referenced = text[i + 1] - '1';
            const int value = counters.counted[referenced] ? counters.value[referenced] : startOf(numId, referenced);
            const std::string referencedFormat =
                referenced == ilvl ? format : xml::val(xml::child(level(numId, referenced), kW, "numFmt"), "decimal");
            label += formatNumber(value, legal ? "decimal" : referencedFormat);
            ++i;
        } else {
            label += text[i];
        }
    }
    return label;
}

}  // namespace tessaro::test
