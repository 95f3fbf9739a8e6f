#include "process/lifetime.h"

#include <tlhelp32.h>

#include <atomic>

namespace wordsrv::lifetime {

namespace {

std::atomic<DWORD> mainThread{0};
std::atomic<long> liveObjects{0};
std::atomic<bool> used{false};
std::atomic<bool> gone{false};

DWORD parentProcessId()
{
    const tessaro::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD parent = 0;
    const DWORD self = GetCurrentProcessId();
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        if (entry.th32ProcessID == self)
            parent = entry.th32ParentProcessID;
    return parent;
}

}  // namespace

void setMainThread(DWORD thread) { mainThread = thread; }

void objectCreated()
{
    used = true;
    ++liveObjects;
}

void objectDestroyed()
{
    if (--liveObjects == 0)
        PostThreadMessageW(mainThread, kLastObjectGone, 0, 0);
}

bool everUsed() { return used; }

bool clientGone() { return gone; }

ClientWatch::ClientWatch() : mainThread_(mainThread)
{
    const DWORD parent = parentProcessId();
    if (parent)
        client_.reset(OpenProcess(SYNCHRONIZE, FALSE, parent));
    if (!client_)
        return;
    stop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (stop_)
        thread_.reset(CreateThread(nullptr, 0, &ClientWatch::watch, this, 0, nullptr));
}

ClientWatch::~ClientWatch()
{
    if (thread_) {
        SetEvent(stop_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
    }
}

DWORD WINAPI ClientWatch::watch(void* self)
{
    auto* watch = static_cast<ClientWatch*>(self);
    const HANDLE handles[] = {watch->stop_.get(), watch->client_.get()};
    if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        gone = true;
        PostThreadMessageW(watch->mainThread_, kClientGone, 0, 0);
    }
    return 0;
}

}  // namespace wordsrv::lifetime
