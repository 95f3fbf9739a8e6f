#include "save_format.h"

#include "word_error.h"

#include <windows.h>

namespace wordsrv {

namespace {

struct SaveFormat {
    long value;
    const wchar_t* extension;
};

// The WdSaveFormat values the engine writes; the first is Word's default.
constexpr SaveFormat kFormats[] = {
    {16, L".docx"},  // wdFormatDocumentDefault
    {12, L".docx"},  // wdFormatXMLDocument
    {0, L".doc"},    // wdFormatDocument
    {6, L".rtf"},    // wdFormatRTF
    {17, L".pdf"},   // wdFormatPDF
    {23, L".odt"},   // wdFormatOpenDocumentText
};

bool sameText(const std::wstring& a, const wchar_t* b)
{
    return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

const wchar_t* formatExtension(std::optional<long> format, const std::wstring& ownFile)
{
    if (format) {
        for (const SaveFormat& known : kFormats)
            if (known.value == *format)
                return known.extension;
        throw WordError{L"不支持的文件格式 (unsupported FileFormat): " + std::to_wstring(*format)};
    }
    const std::wstring own = extensionOf(ownFile);
    for (const SaveFormat& known : kFormats)
        if (sameText(own, known.extension))
            return known.extension;
    return kFormats[0].extension;
}

}  // namespace

std::wstring extensionOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    const size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return {};
    return path.substr(dot);
}

PlannedSave::PlannedSave(const std::wstring& path, std::optional<long> format, const std::wstring& ownFile)
{
    const wchar_t* extension = formatExtension(format, ownFile);
    const std::wstring named = extensionOf(path);
    target_ = named.empty() ? path + extension : path;
    written_ = named.empty() || sameText(named, extension)
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
