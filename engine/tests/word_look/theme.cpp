#include "word_look/theme.h"

namespace tessaro::test {

Properties readThemeFonts(const WordPackage& package)
{
    Properties theme{{"present", "0"}};
    const std::string part = package.related(package.main(), "theme");
    if (part.empty() || !package.has(part))
        return theme;
    theme["present"] = "1";
    const xmlNode* elements = xml::child(package.root(part), xml::kA, "themeElements");
    const xmlNode* scheme = xml::child(elements, xml::kA, "fontScheme");
    theme["name"] = xml::attr(scheme, nullptr, "name");
    for (const char* which : {"major", "minor"}) {
        const xmlNode* fonts = xml::child(scheme, xml::kA, which == std::string("major") ? "majorFont" : "minorFont");
        for (const char* slot : {"latin", "ea", "cs"})
            theme[std::string(which) + "." + slot] = xml::attr(xml::child(fonts, xml::kA, slot), nullptr, "typeface");
        for (const xmlNode* font : xml::children(fonts, xml::kA, "font"))
            theme[std::string(which) + ".script." + xml::attr(font, nullptr, "script")] =
                xml::attr(font, nullptr, "typeface");
    }
    return theme;
}

std::string scriptOfLanguage(const std::string& lang)
{
    const std::string primary = lang.substr(0, lang.find('-'));
    if (primary == "ja")
        return "Jpan";
    if (primary == "ko")
        return "Hang";
    if (primary == "zh")
        return lang == "zh-TW" || lang == "zh-HK" || lang == "zh-MO" ? "Hant" : "Hans";
    return "";
}

std::string themeTypeface(const Properties& theme, const std::string& reference, const std::string& eastAsiaLang)
{
    const bool major = reference.rfind("major", 0) == 0;
    const std::string scheme = major ? "major" : "minor";
    const std::string rest = reference.substr(5);  // "EastAsia", "HAnsi", "Ascii", "Bidi"
    auto get = [&](const std::string& key) {
        const auto found = theme.find(scheme + "." + key);
        return found == theme.end() ? std::string() : found->second;
    };
    if (rest == "EastAsia") {
        const std::string ea = get("ea");
        if (!ea.empty())
            return ea;
        const std::string script = scriptOfLanguage(eastAsiaLang);
        return script.empty() ? "" : get("script." + script);
    }
    if (rest == "Bidi")
        return get("cs");
    return get("latin");
}

}  // namespace tessaro::test
