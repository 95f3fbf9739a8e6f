#include "shell/folder_watch.h"

namespace tessaro::shell {
namespace {

constexpr DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                  FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE |
                                  FILE_NOTIFY_CHANGE_ATTRIBUTES;
// A directory that keeps changing (a split writing pages, one removed under
// the watch) is reported at this pace, not in a flood.
constexpr DWORD kPaceMs = 100;

constexpr LONG kShellEvents = SHCNE_CREATE | SHCNE_DELETE | SHCNE_MKDIR | SHCNE_RMDIR | SHCNE_RENAMEITEM |
                              SHCNE_RENAMEFOLDER | SHCNE_UPDATEITEM | SHCNE_UPDATEDIR | SHCNE_ATTRIBUTES |
                              SHCNE_DRIVEADD | SHCNE_DRIVEREMOVED | SHCNE_MEDIAINSERTED | SHCNE_MEDIAREMOVED |
                              SHCNE_NETSHARE | SHCNE_NETUNSHARE;

}  // namespace

DirectoryWatch::DirectoryWatch(const std::wstring& directory, HWND notify, UINT message)
    : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  change_.reset(FindFirstChangeNotificationW(directory.c_str(), FALSE, kWatchedChanges));
  if (!change_ || !stop_) return;
  const HANDLE change = change_.get();
  thread_ = std::thread([change, stop = stop_.get(), notify, message] {
    const HANDLE waits[] = {stop, change};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
      PostMessageW(notify, message, 0, 0);
      if (!FindNextChangeNotification(change) || WaitForSingleObject(stop, kPaceMs) != WAIT_TIMEOUT) break;
    }
  });
}

DirectoryWatch::~DirectoryWatch() {
  if (stop_) SetEvent(stop_.get());
  if (thread_.joinable()) thread_.join();
}

ShellFolderWatch::ShellFolderWatch(PCIDLIST_ABSOLUTE folder, HWND notify, UINT message) {
  SHChangeNotifyEntry entry{folder, FALSE};
  registration_ = SHChangeNotifyRegister(notify, SHCNRF_ShellLevel | SHCNRF_InterruptLevel | SHCNRF_NewDelivery,
                                         kShellEvents, message, 1, &entry);
}

ShellFolderWatch::~ShellFolderWatch() {
  if (registration_) SHChangeNotifyDeregister(registration_);
}

void ShellFolderWatch::Acknowledge(WPARAM wparam, LPARAM lparam) {
  PIDLIST_ABSOLUTE* items = nullptr;
  LONG event = 0;
  if (HANDLE lock = SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wparam), static_cast<DWORD>(lparam), &items,
                                              &event)) {
    SHChangeNotification_Unlock(lock);
  }
}

}  // namespace tessaro::shell
