// One folder listed on a thread of its own, so that the window's thread
// stays free while thousands of items are read. A file-system folder is read
// in one pass of the file system's own listing, and the shell is asked only
// once per kind of item (LookTable); other folders are enumerated by the
// shell. Items reach the window's thread in batches, each in name order
// (CompareNames): it is told by a posted message and takes them.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "shell/item_looks.h"

namespace tessaro::shell {

// Frees a block the shell allocated with the task allocator.
struct ShellFree {
  void operator()(void* block) const { CoTaskMemFree(block); }
};
// A list the shell handed to a listing thread. It is not the program's
// until the window's thread adopts it (ChildPidl::Adopt).
using ShellChildPidl = std::unique_ptr<ITEMID_CHILD, ShellFree>;

enum ListedItemFlags : std::uint8_t {
  kFolderItem = 1,
  kLinkItem = 2,
  kSharedItem = 4,
  kOwnIconItem = 8,  // the icon is the item's own, not its kind's
};

struct ListedItem {
  std::wstring name;           // as the name column shows it
  std::wstring file_name;      // the file's own name where it differs from `name`, else empty
  std::uint64_t size = 0;      // files only
  std::uint64_t modified = 0;  // UTC file time of the last write; files only
  std::uint32_t look = 0;      // in the LookTable
  std::uint8_t flags = 0;
  ShellChildPidl pidl;  // the item's list when the shell enumerated it or was asked about it
  // Columns 1 and on, for a folder that describes its own columns.
  std::unique_ptr<std::vector<std::wstring>> details;
};

// A directory's path in the form that reaches past MAX_PATH ("\\?\").
std::wstring LongPath(const std::wstring& directory);

struct ListingSource {
  std::wstring directory;    // read through the file system when not empty
  std::vector<BYTE> folder;  // the folder's fully qualified list
  int detail_columns = 0;    // columns the folder describes itself, 0 for none
};

// What the listing thread hands over; private to the listing.
struct ListingChannel;

class FolderListing {
 public:
  // Starts at once. `message` is posted to `notify` when items wait to be
  // taken and none was posted since the last Take, and when the thread ends.
  FolderListing(ListingSource source, std::shared_ptr<LookTable> looks, HWND notify, UINT message);
  // Cancels and waits for the thread.
  ~FolderListing();
  FolderListing(const FolderListing&) = delete;
  FolderListing& operator=(const FolderListing&) = delete;

  // The thread stops at its next item.
  void Cancel();
  // Whether the thread has ended; its items may still wait to be taken.
  bool Ended() const;

  struct Arrivals {
    std::vector<ListedItem> items;
    bool complete = false;  // nothing more will come
  };
  // The items that arrived since the last call.
  Arrivals Take();
  // Returns once the listing is complete, or once `rows` items have arrived
  // and `least_ms` have passed, or after `most_ms`, whichever comes first.
  // Messages sent to this thread are answered meanwhile.
  void WaitForFirstRows(std::size_t rows, DWORD least_ms, DWORD most_ms);

 private:
  std::shared_ptr<ListingChannel> channel_;
  std::thread thread_;
};

}  // namespace tessaro::shell
