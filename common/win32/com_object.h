// IUnknown, answered the same way by every COM object of ours in the program
// and in the Word server.
#pragma once

#include <unknwn.h>

#include <atomic>

namespace tessaro {

// A COM object implementing `Interfaces`. Its reference count starts at one,
// for its creator, and the object deletes itself when the count drops to
// zero; an object that lives on the stack or inside another keeps that first
// reference for its whole life, so COM's calls never delete it.
template <typename... Interfaces>
class ComObject : public Interfaces... {
 public:
  ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;
  virtual ~ComObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = Find(iid);
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  // The interface `iid` names, or nullptr: IUnknown and each of `Interfaces`.
  // A class that answers another (a private one that names the class), or
  // one of these only at times, says so here.
  virtual void* Find(REFIID iid) {
    if (iid == IID_IUnknown) return static_cast<First*>(this);
    void* found = nullptr;
    ((found = iid == __uuidof(Interfaces) ? static_cast<Interfaces*>(this) : nullptr) || ...);
    return found;
  }

 private:
  template <typename Head, typename...>
  struct Front {
    using Type = Head;
  };
  using First = typename Front<Interfaces...>::Type;

  std::atomic<ULONG> references_{1};
};

}  // namespace tessaro
