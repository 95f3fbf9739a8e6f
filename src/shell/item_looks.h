// How the shell shows the items of one kind: the files of one extension, or
// plain folders. Asking the shell about every item of a large folder takes
// seconds; its answer for one item holds for the whole kind, so it is asked
// once per kind and kept here.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tessaro::shell {

// How the names a kind shows follow from the names it is listed under.
enum class NameRule : std::uint8_t {
  kAsListed,          // the file name itself
  kWithoutExtension,  // the extension hidden, as for shortcuts
  kAskEachItem,       // something else: the shell is asked per item
};

struct ItemLook {
  std::wstring type_name;
  int icon = 0;            // small icon, index into the system image list
  bool own_icons = false;  // each item has an icon of its own (programs, shortcuts)
  bool link = false;       // shortcuts carry the link overlay
  NameRule names = NameRule::kAsListed;
};

// The kind of a listed item by its file name and attributes: a file's
// extension exactly as written (the shell names an unregistered extension's
// type in the letter case it has), plain folders, or folders that may carry
// a name and an icon of their own (read-only or system folders, which the
// shell dresses from their desktop.ini).
std::wstring LookKey(std::wstring_view file_name, DWORD attributes);
// Whether items of the kind have names and icons of their own.
bool IsSpecialFolderKey(std::wstring_view key);
// The kind of items the shell describes one by one, by their type name.
std::wstring LookKeyOfType(std::wstring_view type_name);

// The rule learnt from one item: its file name and the name the shell shows.
NameRule NameRuleFrom(std::wstring_view file_name, std::wstring_view display_name);
// The name a rule shows for a file name; kAskEachItem gives the file name.
std::wstring ApplyNameRule(NameRule rule, std::wstring_view file_name);

// Whether the registry gives the files of an extension icons of their own:
// the class's DefaultIcon is the file itself ("%1"), or an icon handler
// chooses per file.
bool ExtensionHasOwnIcons(std::wstring_view extension);

// The looks learnt so far, shared by the window's thread and the threads
// that list folders. A look never changes once added, and stays where it is.
class LookTable {
 public:
  std::optional<std::uint32_t> Find(const std::wstring& key) const;
  // Adds the look unless another thread added one under the key first;
  // returns the index of the one kept.
  std::uint32_t Add(const std::wstring& key, ItemLook look);
  const ItemLook& operator[](std::uint32_t index) const;

 private:
  mutable std::mutex mutex_;
  std::deque<ItemLook> looks_;
  std::unordered_map<std::wstring, std::uint32_t> keys_;
};

}  // namespace tessaro::shell
