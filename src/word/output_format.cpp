#include "word/output_format.h"

#include "contract/word_formats.h"

namespace tessaro::word {

std::optional<int> FormatOf(const std::wstring& path) {
  const formats::WordFormat* known = formats::FormatOfPath(path);
  if (!known) return std::nullopt;
  return known->number;
}

Result<std::wstring> MergeOutputPath(const std::wstring& output, const std::wstring& first_document) {
  const std::wstring extension = formats::ExtensionOf(output);
  if (extension.empty()) {
    // A first document of a kind we do not write is merged into Word's default.
    const formats::WordFormat* base = formats::FormatOfPath(first_document);
    return output + formats::Widen<wchar_t>((base ? *base : formats::kWordFormats[0]).extension);
  }
  if (!formats::FormatOfPath(output)) return Failure{E_INVALIDARG, L"不支持的输出格式: " + extension};
  return output;
}

}  // namespace tessaro::word
