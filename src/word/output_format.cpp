#include "word/output_format.h"

#include <windows.h>

namespace tessaro::word {
namespace {

struct KnownFormat {
  const wchar_t* extension;
  int format;
};

// The first is the format a document of any other kind is merged into.
constexpr KnownFormat kFormats[] = {
    {L".docx", kFormatDocumentDefault}, {L".doc", kFormatDocument}, {L".rtf", kFormatRtf},
    {L".odt", kFormatOpenDocument},     {L".pdf", kFormatPdf},
};

const KnownFormat* Known(const std::wstring& extension) {
  for (const KnownFormat& known : kFormats)
    if (CompareStringOrdinal(extension.c_str(), static_cast<int>(extension.size()), known.extension, -1, TRUE) ==
        CSTR_EQUAL)
      return &known;
  return nullptr;
}

}  // namespace

std::wstring ExtensionOf(const std::wstring& path) {
  const std::size_t name = path.find_last_of(L"\\/");
  const std::size_t dot = path.rfind(L'.');
  if (dot == std::wstring::npos || (name != std::wstring::npos && dot < name)) return {};
  return path.substr(dot);
}

std::optional<int> FormatOf(const std::wstring& path) {
  const KnownFormat* known = Known(ExtensionOf(path));
  if (!known) return std::nullopt;
  return known->format;
}

Result<std::wstring> MergeOutputPath(const std::wstring& output, const std::wstring& first_document) {
  const std::wstring extension = ExtensionOf(output);
  if (extension.empty()) {
    // A first document of a kind we do not write is merged into a .docx.
    const KnownFormat* base = Known(ExtensionOf(first_document));
    return output + (base ? base->extension : kFormats[0].extension);
  }
  if (!Known(extension)) return Failure{E_INVALIDARG, L"不支持的输出格式: " + extension};
  return output;
}

}  // namespace tessaro::word
