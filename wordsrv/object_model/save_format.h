#pragma once
#include <optional>
#include <string>

namespace wordsrv {

// Where SaveAs writes and in which format, as Word decides it: FileFormat
// (or, without one, the document's own format) says what is written, the
// name only where. A name without an extension gets the format's. The
// engine writes by extension, so when the name's extension says another
// format the file is written under a temporary name with the format's
// extension and renamed to the target once complete.
class PlannedSave {
public:
    // `format` is a WdSaveFormat; an unknown one throws WordError. `ownFile`
    // is the document's file, empty for a document never saved (Word's
    // default format then).
    PlannedSave(const std::wstring& path, std::optional<long> format, const std::wstring& ownFile);
    // A temporary file not put in place is removed.
    ~PlannedSave();
    PlannedSave(const PlannedSave&) = delete;
    PlannedSave& operator=(const PlannedSave&) = delete;

    const std::wstring& target() const { return target_; }
    // The file the engine is to write.
    const std::wstring& written() const { return written_; }
    // Puts the written file in place of the target.
    void complete();

private:
    std::wstring target_;
    std::wstring written_;
    bool completed_ = false;
};

}  // namespace wordsrv
