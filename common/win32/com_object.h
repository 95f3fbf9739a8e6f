#pragma once
// The IUnknown every COM object of ours answers the same way.
#include <unknwn.h>

#include <atomic>

namespace tessaro {

// QueryInterface's answer: `as` when the interface asked for is `offered`.
inline HRESULT offer(bool offered, IUnknown* as, void** object)
{
    if (!object)
        return E_POINTER;
    *object = offered ? as : nullptr;
    if (!*object)
        return E_NOINTERFACE;
    as->AddRef();
    return S_OK;
}

// A reference count that starts at one, for the creator.
class References {
public:
    ULONG add() { return ++count_; }
    // What is left; the owner deletes itself at zero.
    ULONG drop() { return --count_; }

private:
    std::atomic<ULONG> count_{1};
};

}  // namespace tessaro
