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
  // Paths that fail to open (protected or damaged), to insert, or to save to.
  std::set<std::wstring> unopenable, uninsertable, unsavable;
  bool cannot_start = false;
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
