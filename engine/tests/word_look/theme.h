#pragma once
#include "word_look/package.h"
#include "word_look/word_look.h"

#include <string>

namespace tessaro::test {

// The theme's font scheme as WordLook::theme holds it; "present" = "0" and
// nothing else when the document has no theme part.
Properties readThemeFonts(const WordPackage& package);

// The typeface Word sets for a theme font reference ("minorEastAsia",
// "majorHAnsi", "minorBidi"…): the scheme's latin, ea or cs typeface, and
// for East Asian text whose ea typeface is empty, the script font of the
// East Asian language `eastAsiaLang` ("zh-CN" → the "Hans" entry).
std::string themeTypeface(const Properties& theme, const std::string& reference, const std::string& eastAsiaLang);

// The theme script of an East Asian language tag: "Hans", "Hant", "Jpan", "Hang", or "".
std::string scriptOfLanguage(const std::string& lang);

}  // namespace tessaro::test
