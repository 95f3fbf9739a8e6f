#pragma once
#include <string>
#include <vector>

namespace tessaro {

// LibreOffice writes whether punctuation may hang past the margin into a
// .docx as Word reads it (w:overflowPunct), and reads the same element back
// the other way round: Chinese text saved with hanging punctuation came back
// without it, broke into more lines and gained pages. The .docx at `docx` is
// rewritten so that the office reads back what it wrote; where every
// paragraph lets punctuation hang, which is also what Word assumes when
// nothing is said, nothing is said, so Word reads it the same too.
void keepHangingPunctuation(const std::string& docx);

// The part of keepHangingPunctuation that works on the XML text, for
// testing: `parts` are the XML parts of one .docx, changed in place.
// Returns whether any changed.
bool keepHangingPunctuationInXml(std::vector<std::string>& parts);

}  // namespace tessaro
