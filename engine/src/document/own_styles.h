#pragma once
#include "document/document.h"

#include <string>

namespace tessaro {

// LibreOffice inserts a document's text only: its paragraphs take the
// target's definitions of same-named styles and the target's defaults, and
// its page styles are dropped. A document about to be inserted is made to
// carry its look: its root styles get its defaults spelled out, and at a page
// start an empty paragraph put first names the page style (and page number)
// it begins with. Where it goes at the target's end, it gets the paragraph
// that removeEmptyLastParagraph takes away again. Then it is written as .odt to `odt`.
void writeForInsertion(const Document& source, bool pageStart, bool atEnd, const std::string& odt);

// Once inserted at a page start, the empty paragraph that writeForInsertion
// put first hands its page style and number to the block after it and goes.
void passOnPageStart(const Reference<css::text::XTextRange>& inserted);

// Gives every named style in the .odt file a name of its own ending in
// "-N" (shown as "… (N)"), so that none is taken for the target's style of
// the same name. N is unique to the insertion (see highestStyleNumber).
void renameStyles(const std::string& odt, int number);

// The highest N of the document's style names that end in "-N" or " (N)":
// names a merge gave, or names the document came with. Numbers above it
// give inserted documents names no style of the target has.
int highestStyleNumber(const Document& target);

// The part of renameStyles that works on the XML text, for testing.
// `styles` and `content` are styles.xml and content.xml, changed in place.
void renameStylesInXml(std::string& styles, std::string& content, int number);

}  // namespace tessaro
