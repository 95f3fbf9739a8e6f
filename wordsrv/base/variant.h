#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace wordsrv {

// An owned BSTR.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text);
    static Bstr adopt(BSTR text)
    {
        Bstr owner;
        owner.text_ = text;
        return owner;
    }
    Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept
    {
        std::swap(text_, other.text_);
        return *this;
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(text_); }

    BSTR get() const { return text_; }
    BSTR detach() { return std::exchange(text_, nullptr); }

private:
    BSTR text_ = nullptr;
};

// An owned VARIANT, cleared on every path.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    Variant(Variant&& other) noexcept : Variant() { std::swap(value_, other.value_); }
    Variant& operator=(Variant&& other) noexcept
    {
        std::swap(value_, other.value_);
        return *this;
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&value_); }

    static Variant of(long number);
    static Variant of(bool flag);
    static Variant of(const std::wstring& text);
    // Takes over the caller's reference.
    static Variant of(IDispatch* object);

    VARIANT* get() { return &value_; }
    const VARIANT* get() const { return &value_; }
    // Hands the value to a caller-owned VARIANT (which must be empty).
    void moveTo(VARIANT* target)
    {
        *target = value_;
        VariantInit(&value_);
    }

private:
    VARIANT value_;
};

}  // namespace wordsrv
