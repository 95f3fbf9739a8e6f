#include "shell/folder_listing.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>

#include "win32/com_ptr.h"
#include "win32/unique_handle.h"
#include "shell/list_sort.h"
#include "shell/pidl.h"
#include "shell/shell_folder.h"

namespace tessaro::shell {
namespace {

// Batches small enough that the first rows come at once, large enough that
// a folder of 100,000 items is not a flood of messages.
constexpr std::size_t kBatchItems = 2048;
constexpr ULONGLONG kBatchMs = 50;

using ShellAbsolutePidl = std::unique_ptr<ITEMIDLIST_ABSOLUTE, ShellFree>;

// The directory's entries as FindFirstFileEx wants them.
std::wstring ListingPattern(const std::wstring& directory) {
  std::wstring pattern = LongPath(directory);
  if (pattern.back() != L'\\') pattern += L'\\';
  return pattern + L'*';
}

bool IsDotEntry(const wchar_t* name) { return name[0] == L'.' && (!name[1] || (name[1] == L'.' && !name[2])); }

std::uint64_t Combine(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

// Bound on the listing thread: shell objects stay in the apartment that made them.
ComPtr<IShellFolder> BindFolder(PCIDLIST_ABSOLUTE pidl) {
  ComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.put())) || !desktop) return {};
  if (IsDesktopPIDL(pidl)) return desktop;
  ComPtr<IShellFolder> folder;
  if (FAILED(desktop->BindToObject(pidl, nullptr, IID_IShellFolder, folder.put_void()))) return {};
  return folder;
}

}  // namespace

std::wstring LongPath(const std::wstring& directory) {
  if (directory.empty() || directory.rfind(L"\\\\?\\", 0) == 0) return directory;
  if (directory.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + directory.substr(2);
  return L"\\\\?\\" + directory;
}

struct ListingChannel {
  std::mutex mutex;
  std::vector<ListedItem> items;
  std::size_t arrived = 0;
  bool complete = false;
  bool posted = false;
  std::atomic<bool> cancelled{false};
  std::atomic<bool> ended{false};
  KernelHandle delivered{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  HWND notify = nullptr;
  UINT message = 0;
};

namespace {

// The work of one listing thread.
class Lister {
 public:
  Lister(const ListingSource& source, LookTable& looks, ListingChannel& channel)
      : source_(source), looks_(looks), channel_(channel), last_delivery_(GetTickCount64()) {}

  void Run() {
    if (!source_.directory.empty()) {
      ReadDirectory();
    } else {
      EnumerateShellFolder();
    }
    Deliver(true);
  }

 private:
  PCIDLIST_ABSOLUTE FolderPidl() const { return reinterpret_cast<PCIDLIST_ABSOLUTE>(source_.folder.data()); }
  bool Cancelled() const { return channel_.cancelled; }

  // Bound only when the shell must be asked: binding a large folder costs.
  IShellFolder* Folder() {
    if (!bound_) {
      bound_ = true;
      folder_ = BindFolder(FolderPidl());
    }
    return folder_.get();
  }

  void ReadDirectory() {
    WIN32_FIND_DATAW data{};
    const FindHandle find(FindFirstFileExW(ListingPattern(source_.directory).c_str(), FindExInfoBasic, &data,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    do {
      if (Cancelled()) break;
      if (!IsDotEntry(data.cFileName)) AddFile(data);
    } while (FindNextFileW(find.get(), &data));
  }

  void AddFile(const WIN32_FIND_DATAW& data) {
    const std::wstring file_name = data.cFileName;
    const bool folder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    const std::wstring key = LookKey(file_name, data.dwFileAttributes);
    ShellChildPidl child;
    std::optional<std::uint32_t> look = looks_.Find(key);
    if (!look) {
      child = Parse(file_name);
      // Gone since it was listed: the change it made will be seen.
      if (!child) return;
      look = looks_.Add(key, Sample(key, file_name, child.get(), folder));
    }
    const ItemLook& kind = looks_[*look];
    ListedItem item;
    item.name = ApplyNameRule(kind.names, file_name);
    if (kind.names == NameRule::kAskEachItem) {
      if (!child) child = Parse(file_name);
      if (child) item.name = GetDisplayName(Folder(), child.get(), SHGDN_INFOLDER);
      if (item.name.empty()) item.name = file_name;
    }
    if (item.name != file_name) item.file_name = file_name;
    if (!folder) {
      item.size = Combine(data.nFileSizeHigh, data.nFileSizeLow);
      item.modified = Combine(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    }
    item.look = *look;
    item.flags = (folder ? kFolderItem : 0) | (kind.link ? kLinkItem : 0) | (kind.own_icons ? kOwnIconItem : 0);
    item.pidl = std::move(child);
    Add(std::move(item));
  }

  ShellChildPidl Parse(const std::wstring& file_name) {
    IShellFolder* folder = Folder();
    if (!folder) return {};
    std::wstring name = file_name;
    PIDLIST_RELATIVE parsed = nullptr;
    if (FAILED(folder->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &parsed, nullptr)) || !parsed) {
      return {};
    }
    return ShellChildPidl(reinterpret_cast<PITEMID_CHILD>(parsed));
  }

  // What the shell says of one item, taken for all items of its kind.
  ItemLook Sample(const std::wstring& key, const std::wstring& file_name, PCUITEMID_CHILD child, bool folder) {
    ItemLook look;
    const bool special = IsSpecialFolderKey(key);
    look.names = special ? NameRule::kAskEachItem
                         : NameRuleFrom(file_name, GetDisplayName(Folder(), child, SHGDN_INFOLDER));
    look.link = GetAttributes(Folder(), child, SFGAO_LINK) != 0;
    look.own_icons = special || (!folder && ExtensionHasOwnIcons(key));
    const ShellAbsolutePidl item(ILCombine(FolderPidl(), child));
    look.type_name = GetFileTypeName(item.get());
    look.icon = GetSysIconIndex(item.get(), SHGFI_SMALLICON);
    return look;
  }

  void EnumerateShellFolder() {
    IShellFolder* folder = Folder();
    if (!folder) return;
    ComPtr<IShellDetails> details;
    if (source_.detail_columns > 0 &&
        FAILED(folder->CreateViewObject(nullptr, IID_IShellDetails, details.put_void()))) {
      details.reset();
    }
    ComPtr<IEnumIDList> items;
    if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items.put()) !=
            S_OK ||
        !items) {
      return;
    }
    PITEMID_CHILD next = nullptr;
    while (!Cancelled() && items->Next(1, &next, nullptr) == S_OK) {
      AddShellItem(ShellChildPidl(next), details.get());
    }
  }

  void AddShellItem(ShellChildPidl child, IShellDetails* details) {
    IShellFolder* folder = Folder();
    const SFGAOF attributes =
        GetAttributes(folder, child.get(), SFGAO_FOLDER | SFGAO_SHARE | SFGAO_LINK | SFGAO_FILESYSTEM);
    ListedItem item;
    item.name = GetDisplayName(folder, child.get(), SHGDN_INFOLDER);
    item.look = ShellItemLook(child.get(), attributes);
    const ItemLook& kind = looks_[item.look];
    WIN32_FIND_DATAW data{};
    if ((attributes & SFGAO_FILESYSTEM) && !(attributes & SFGAO_FOLDER) &&
        SUCCEEDED(SHGetDataFromIDListW(folder, child.get(), SHGDFIL_FINDDATA, &data, sizeof(data)))) {
      item.size = Combine(data.nFileSizeHigh, data.nFileSizeLow);
      item.modified = Combine(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    }
    item.flags = ((attributes & SFGAO_FOLDER) ? kFolderItem : 0) | ((attributes & SFGAO_LINK) ? kLinkItem : 0) |
                 ((attributes & SFGAO_SHARE) ? kSharedItem : 0) | (kind.own_icons ? kOwnIconItem : 0);
    if (details) {
      item.details = std::make_unique<std::vector<std::wstring>>();
      for (int column = 1; column < source_.detail_columns; ++column) {
        SHELLDETAILS detail{};
        item.details->push_back(SUCCEEDED(details->GetDetailsOf(child.get(), column, &detail))
                                    ? StrRetToString(detail.str, child.get())
                                    : std::wstring());
      }
    }
    item.pidl = std::move(child);
    Add(std::move(item));
  }

  // Files are looked at once per extension; anything else on its own.
  std::uint32_t ShellItemLook(PCUITEMID_CHILD child, SFGAOF attributes) {
    if ((attributes & SFGAO_FILESYSTEM) && !(attributes & SFGAO_FOLDER)) {
      const std::wstring file_name = GetDisplayName(Folder(), child, SHGDN_INFOLDER | SHGDN_FORPARSING);
      const std::wstring key = LookKey(file_name, FILE_ATTRIBUTE_NORMAL);
      if (const std::optional<std::uint32_t> look = looks_.Find(key)) return *look;
      return looks_.Add(key, Sample(key, file_name, child, false));
    }
    const ShellAbsolutePidl item(ILCombine(FolderPidl(), child));
    ItemLook look;
    look.type_name = GetFileTypeName(item.get());
    look.own_icons = true;
    return looks_.Add(LookKeyOfType(look.type_name), std::move(look));
  }

  void Add(ListedItem item) {
    batch_.push_back(std::move(item));
    if (batch_.size() >= kBatchItems || GetTickCount64() - last_delivery_ >= kBatchMs) Deliver(false);
  }

  void Deliver(bool complete) {
    last_delivery_ = GetTickCount64();
    // Put in name order here, so that the window's thread only merges.
    const auto by_name = [](const ListedItem& first, const ListedItem& second) {
      return CompareNames(first.name.c_str(), second.name.c_str()) < 0;
    };
    std::stable_sort(batch_.begin(), batch_.end(), by_name);
    const std::lock_guard lock(channel_.mutex);
    channel_.arrived += batch_.size();
    // Items not taken yet stay one run in name order with the new ones.
    const std::size_t waiting = channel_.items.size();
    for (ListedItem& item : batch_) channel_.items.push_back(std::move(item));
    std::inplace_merge(channel_.items.begin(), channel_.items.begin() + static_cast<std::ptrdiff_t>(waiting),
                       channel_.items.end(), by_name);
    batch_.clear();
    channel_.complete = complete;
    if (!channel_.posted) channel_.posted = PostMessageW(channel_.notify, channel_.message, 0, 0) != 0;
    SetEvent(channel_.delivered.get());
  }

  const ListingSource& source_;
  LookTable& looks_;
  ListingChannel& channel_;
  bool bound_ = false;
  ComPtr<IShellFolder> folder_;
  std::vector<ListedItem> batch_;
  ULONGLONG last_delivery_;
};

}  // namespace

FolderListing::FolderListing(ListingSource source, std::shared_ptr<LookTable> looks, HWND notify, UINT message)
    : channel_(std::make_shared<ListingChannel>()) {
  channel_->notify = notify;
  channel_->message = message;
  thread_ = std::thread([source = std::move(source), looks = std::move(looks), channel = channel_] {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Lister(source, *looks, *channel).Run();
    if (SUCCEEDED(com)) CoUninitialize();
    channel->ended = true;
    // Told once more, so that the thread is joined without waiting.
    PostMessageW(channel->notify, channel->message, 0, 0);
  });
}

FolderListing::~FolderListing() {
  Cancel();
  if (thread_.joinable()) thread_.join();
}

void FolderListing::Cancel() { channel_->cancelled = true; }

bool FolderListing::Ended() const { return channel_->ended; }

FolderListing::Arrivals FolderListing::Take() {
  const std::lock_guard lock(channel_->mutex);
  Arrivals arrivals{std::move(channel_->items), channel_->complete};
  channel_->items.clear();
  channel_->posted = false;
  return arrivals;
}

void FolderListing::WaitForFirstRows(std::size_t rows, DWORD least_ms, DWORD most_ms) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    // Answers whatever other threads sent meanwhile.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    std::size_t arrived = 0;
    {
      const std::lock_guard lock(channel_->mutex);
      if (channel_->complete) return;
      arrived = channel_->arrived;
    }
    const ULONGLONG elapsed = GetTickCount64() - start;
    if (elapsed >= most_ms || (arrived >= rows && elapsed >= least_ms)) return;
    const DWORD limit = arrived >= rows ? least_ms : most_ms;
    HANDLE delivered = channel_->delivered.get();
    MsgWaitForMultipleObjectsEx(1, &delivered, static_cast<DWORD>(limit - elapsed), QS_SENDMESSAGE,
                                MWMO_INPUTAVAILABLE);
  }
}

}  // namespace tessaro::shell
