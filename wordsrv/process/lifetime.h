#pragma once
#include <windows.h>

#include "win32/unique_handle.h"

namespace wordsrv::lifetime {

// Posted to the main thread when the last automation object goes.
constexpr UINT kLastObjectGone = WM_APP + 1;
// Posted when the client process has ended: Wine never tells a local server.
constexpr UINT kClientGone = WM_APP + 2;

// The thread whose message loop runs the server.
void setMainThread(DWORD thread);
void objectCreated();
void objectDestroyed();
// Whether any object was ever handed out, to end an unused server.
bool everUsed();
// Set from the watch thread: long waits give up when the client is gone.
bool clientGone();

// Watches the process that started this one (the COM client, under Wine)
// and posts kClientGone when it ends.
class ClientWatch {
public:
    ClientWatch();
    ~ClientWatch();
    ClientWatch(const ClientWatch&) = delete;
    ClientWatch& operator=(const ClientWatch&) = delete;

private:
    static DWORD WINAPI watch(void* self);
    tessaro::KernelHandle client_;
    tessaro::KernelHandle stop_;
    tessaro::KernelHandle thread_;
    DWORD mainThread_ = 0;
};

}  // namespace wordsrv::lifetime
