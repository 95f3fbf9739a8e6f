#include "app/wait_cursor.h"

namespace tessaro {
namespace {
int g_depth = 0;  // one UI thread: no locking needed
}

WaitCursor::WaitCursor() : previous_(SetCursor(Cursor())) { ++g_depth; }

WaitCursor::~WaitCursor() {
  if (--g_depth == 0) SetCursor(previous_ ? previous_ : LoadCursorW(nullptr, IDC_ARROW));
}

bool WaitCursor::Active() { return g_depth > 0; }

HCURSOR WaitCursor::Cursor() { return LoadCursorW(nullptr, IDC_WAIT); }

}  // namespace tessaro
