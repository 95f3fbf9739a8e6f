// Where the merge and the split write, checked before Word is started: a
// folder that is not there, a relative path or a format we cannot write
// would otherwise fail only after all the work, and an output that is one of
// the inputs would be overwritten with the merged result.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "word/added_document.h"

namespace tessaro::word {

// A path that starts at a drive ("C:\") or a network share ("\\server\"):
// anything else would be resolved against whatever folder is current.
bool IsFullPath(const std::wstring& path);

// The folder part of a file path, without the separator; a drive root keeps
// its own ("C:\"). Empty when the path has no folder part.
std::wstring FolderOf(const std::wstring& path);

// Why the merged document cannot be written at `output` (as typed): the
// message to show, or nothing. An empty output or list is left to the merge.
std::optional<std::wstring> MergeOutputProblem(const std::wstring& output,
                                               const std::vector<AddedDocument>& documents);

// Why the page files cannot be written into `folder` (as typed): the message
// to show, or nothing. An empty folder is left to the split.
std::optional<std::wstring> SplitFolderProblem(const std::wstring& folder);

}  // namespace tessaro::word
