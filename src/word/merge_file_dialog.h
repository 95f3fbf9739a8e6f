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

// Shows the dialog over owner, starting in the program's own folder, and
// offers Word files first. A new name is accepted (".docx" added when it has
// no extension); an existing file is confirmed only after the user agrees to
// replace it.
MergeFileChoice ChooseMergeFile(HWND owner);

}  // namespace tessaro
