#pragma once
#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace wordsrv {

// Owns one reference to a COM object. Move-only, so a reference is never
// released twice; `put` releases what it held before handing out the slot.
template <typename T> class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already owns.
    static ComPtr adopt(T* object)
    {
        ComPtr owner;
        owner.object_ = object;
        return owner;
    }
    // Adds a reference of its own.
    static ComPtr share(T* object)
    {
        if (object)
            object->AddRef();
        return adopt(object);
    }
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        ComPtr(std::move(other)).swap(*this);
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }

    void reset()
    {
        if (T* object = std::exchange(object_, nullptr))
            object->Release();
    }
    T** put()
    {
        reset();
        return &object_;
    }
    T* get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    T* detach() { return std::exchange(object_, nullptr); }
    void swap(ComPtr& other) noexcept { std::swap(object_, other.object_); }

private:
    T* object_ = nullptr;
};

}  // namespace wordsrv
