// Where the merge and the split write, checked before Word is started: a
// folder that is not there, a relative path or a format we cannot write
// would otherwise fail only after all the work, and an output that is one of
// the inputs would be overwritten with the merged result.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "word/added_document.h"
#include "word/split.h"

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

// The questions asked once the output has no problem, before any work: 是
// lets the job replace what is there, 否 starts nothing. Nothing to ask when
// nothing there would be replaced, or the job would write nothing.
//
// "<path> 已存在。要替换它吗?" for a merged document that is there already.
std::optional<std::wstring> MergeReplaceQuestion(const std::wstring& output,
                                                 const std::vector<AddedDocument>& documents);
// "输出文件夹中已有 N 个同名文件,要替换它们吗?", N the files in the output
// folder named as pieces of the documents the split would cut, whatever the
// page count that opening them will tell.
std::optional<std::wstring> SplitReplaceQuestion(const SplitOptions& options,
                                                 const std::vector<AddedDocument>& documents);

}  // namespace tessaro::word
