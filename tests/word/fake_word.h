// A recording stand-in for Word: documents are lists of page texts, files
// live in a map, and every call is logged in the order it was made.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "word/word_objects.h"

namespace tessaro::testing {

class FakeWord {
 public:
  using Pages = std::vector<std::wstring>;

  // The "disk": path -> pages.
  std::map<std::wstring, Pages> files;
  // Paths that fail to open (as protected), to insert, or to save to (as
  // with a full disk).
  std::set<std::wstring> unopenable, uninsertable, unsavable;
  bool cannot_start = false;
  int starts_allowed = -1;  // starts after this many fail; -1: no limit
  // Word dies at the first call logged with this line (and fails every call
  // after it) with `death` as its error.
  std::wstring dies_at;
  word::Failure death{static_cast<HRESULT>(0x800706BAL), L"与 Word 的连接已断开"};
  bool dead = false;
  bool fail_page_count = false;
  bool fail_fields = false;
  bool fail_print = false;
  // How long each call takes, as a slow Word would.
  std::chrono::milliseconds delay{0};

  std::vector<std::wstring> log;
  std::vector<std::wstring> messages;
  std::set<std::wstring> written;  // every path a SaveAs wrote
  int started = 0;
  int running = 0;        // instances not ended
  bool left_visible = false;  // the last instance still running was made visible

  word::WordStarter Starter();
  word::ShowMessage Recorder();
};

}  // namespace tessaro::testing
