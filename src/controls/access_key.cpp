#include "controls/access_key.h"

#include <windows.h>

namespace tessaro {

wchar_t LowerCase(wchar_t ch) {
  CharLowerBuffW(&ch, 1);
  return ch;
}

wchar_t AccessKeyOf(std::wstring_view caption) {
  if (caption.size() < 2) return 0;
  const size_t first = caption.find(L'&');
  if (first == std::wstring_view::npos || first + 1 >= caption.size()) return 0;
  if (caption[first + 1] != L'&') return LowerCase(caption[first + 1]);

  // A doubled "&&" shows as a literal ampersand; the key may follow a later "&".
  const size_t next = caption.find(L'&', first + 2);
  if (next == std::wstring_view::npos || next + 1 >= caption.size()) return 0;
  if (caption[next + 1] == L'&') return 0;
  return LowerCase(caption[next + 1]);
}

}  // namespace tessaro
