// Word's file formats as the program, the Word server and the engine name
// them: the FileFormat number of SaveAs (WdSaveFormat), the extension of the
// file, and the office filter that writes it. Plain C++, compiled by both
// toolchains, for paths in UTF-16 (Windows) and UTF-8 (Linux) alike.
#pragma once

#include <string>
#include <string_view>

namespace tessaro::formats {

struct WordFormat {
  int number;                  // WdSaveFormat
  std::string_view extension;  // dot included, lower case
  std::string_view filter;     // the office's filter that writes it
};

inline constexpr int kDocument = 0;          // wdFormatDocument, .doc
inline constexpr int kRtf = 6;               // wdFormatRTF
inline constexpr int kXmlDocument = 12;      // wdFormatXMLDocument, .docx
inline constexpr int kDocumentDefault = 16;  // wdFormatDocumentDefault, .docx
inline constexpr int kPdf = 17;              // wdFormatPDF
inline constexpr int kOpenDocument = 23;     // wdFormatOpenDocumentText

// The first is Word's default, and the format a document of any other kind
// is merged into; of two numbers for one extension, the first is the one
// the extension stands for.
inline constexpr WordFormat kWordFormats[] = {
    {kDocumentDefault, ".docx", "MS Word 2007 XML"}, {kXmlDocument, ".docx", "MS Word 2007 XML"},
    {kDocument, ".doc", "MS Word 97"},               {kRtf, ".rtf", "Rich Text Format"},
    {kPdf, ".pdf", "writer_pdf_Export"},            {kOpenDocument, ".odt", "writer8"},
};

// The extension of the path's file name, dot included; empty when it has
// none. Both "\" and "/" end a folder's name.
template <typename Char>
std::basic_string<Char> ExtensionOf(std::basic_string_view<Char> path) {
  constexpr Char kSeparators[] = {Char('\\'), Char('/'), Char(0)};
  const std::size_t name = path.find_last_of(kSeparators);
  const std::size_t dot = path.rfind(Char('.'));
  if (dot == path.npos || (name != path.npos && dot < name)) return {};
  return std::basic_string<Char>(path.substr(dot));
}
template <typename Char>
std::basic_string<Char> ExtensionOf(const std::basic_string<Char>& path) {
  return ExtensionOf(std::basic_string_view<Char>(path));
}

// The format an extension (dot included) stands for, in any letter case;
// nullptr for one we do not write.
template <typename Char>
const WordFormat* FormatOfExtension(std::basic_string_view<Char> extension) {
  const auto lower = [](Char c) { return c >= Char('A') && c <= Char('Z') ? Char(c - 'A' + 'a') : c; };
  for (const WordFormat& format : kWordFormats) {
    if (format.extension.size() != extension.size()) continue;
    bool same = true;
    for (std::size_t i = 0; same && i < extension.size(); ++i)
      same = lower(extension[i]) == Char(static_cast<unsigned char>(format.extension[i]));
    if (same) return &format;
  }
  return nullptr;
}
template <typename Char>
const WordFormat* FormatOfPath(const std::basic_string<Char>& path) {
  const std::basic_string<Char> extension = ExtensionOf(path);
  return FormatOfExtension(std::basic_string_view<Char>(extension));
}

// The format a FileFormat number names; nullptr for one we do not write.
inline const WordFormat* FormatOfNumber(long number) {
  for (const WordFormat& format : kWordFormats)
    if (format.number == number) return &format;
  return nullptr;
}

// The extension as a string of the caller's kind.
template <typename Char>
std::basic_string<Char> Widen(std::string_view ascii) {
  return std::basic_string<Char>(ascii.begin(), ascii.end());
}

}  // namespace tessaro::formats
