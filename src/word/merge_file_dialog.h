// The save dialog behind the merge output's "..." button.
#pragma once

#include <windows.h>

#include <string>

namespace tessaro {

struct MergeFileChoice {
  enum class Outcome { Chosen, Cancelled, Failed };
  Outcome outcome = Outcome::Cancelled;
  std::wstring path;  // whole however long, when chosen
};

// Shows the dialog over owner. It starts in the folder of `current` (the
// path in the box) with its name filled in while that folder is there, else
// in the program's own folder, and offers every format the merge writes,
// Word files first. A new name is accepted (the chosen type's extension
// added when it has none); an existing file is confirmed only after the user
// agrees to replace it.
MergeFileChoice ChooseMergeFile(HWND owner, const std::wstring& current);

}  // namespace tessaro
