#include "object_model/save_format.h"

#include "base/word_error.h"
#include "contract/word_formats.h"

#include <windows.h>

namespace wordsrv {

namespace {

namespace formats = tessaro::formats;

// The extension Word gives a file written in `format` (or, without one, in
// the document's own format: that of its file, Word's default for a new one).
std::wstring formatExtension(std::optional<long> format, const std::wstring& ownFile)
{
    const formats::WordFormat* known = format ? formats::FormatOfNumber(*format) : formats::FormatOfPath(ownFile);
    if (format && !known)
        throw WordError{L"不支持的文件格式 (unsupported FileFormat): " + std::to_wstring(*format)};
    return formats::Widen<wchar_t>((known ? *known : formats::kWordFormats[0]).extension);
}

}  // namespace

PlannedSave::PlannedSave(const std::wstring& path, std::optional<long> format, const std::wstring& ownFile)
{
    const std::wstring extension = formatExtension(format, ownFile);
    const std::wstring named = formats::ExtensionOf(path);
    target_ = named.empty() ? path + extension : path;
    written_ = named.empty() || formats::FormatOfPath(path) == formats::FormatOfPath(extension)
                   ? target_
                   : path + L".~" + std::to_wstring(GetCurrentProcessId()) + extension;
}

PlannedSave::~PlannedSave()
{
    if (!completed_ && written_ != target_)
        DeleteFileW(written_.c_str());
}

void PlannedSave::complete()
{
    completed_ = true;
    if (written_ == target_)
        return;
    if (!MoveFileExW(written_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(written_.c_str());
        throw WordError{L"无法保存文档 (cannot replace the file): " + target_};
    }
}

}  // namespace wordsrv
