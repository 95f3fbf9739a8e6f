#pragma once
// Late binding as the program does it: CoCreateInstance by ProgID, then
// GetIDsOfNames and Invoke with named arguments.
#include "win32/com_ptr.h"
#include "base/variant.h"

#include <oaidl.h>

#include <exception>
#include <string>
#include <vector>

namespace wordsrv::test {

using tessaro::ComPtr;

// A failed call: the HRESULT and, for DISP_E_EXCEPTION, the description.
// Both are its what(), so that one escaping a test says which call failed and why.
struct ComFailure : std::exception {
    ComFailure(HRESULT code, std::wstring description);
    const char* what() const noexcept override { return text_.c_str(); }

    HRESULT code;
    std::wstring description;

private:
    std::string text_;
};

class Dispatch;

// One argument, positional unless it has a name.
struct Arg {
    Arg(const wchar_t* text) : kind(VT_BSTR), text(text) {}
    Arg(const std::wstring& text) : kind(VT_BSTR), text(text) {}
    Arg(int number) : kind(VT_I4), number(number) {}
    Arg(long number) : kind(VT_I4), number(number) {}
    Arg(bool flag) : kind(VT_BOOL), number(flag ? -1 : 0) {}
    Arg(const Dispatch& object);
    Variant value() const;

    std::wstring name;
    VARTYPE kind;
    std::wstring text;
    long number = 0;
    IDispatch* object = nullptr;
};

inline Arg named(const wchar_t* name, Arg arg)
{
    arg.name = name;
    return arg;
}

class Dispatch {
public:
    explicit Dispatch(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    // Throws ComFailure, with the HRESULT of CLSIDFromProgID or CoCreateInstance.
    static Dispatch create(const wchar_t* progId);

    Variant call(const wchar_t* member, const std::vector<Arg>& args = {}) const;
    Dispatch object(const wchar_t* member, const std::vector<Arg>& args = {}) const;
    long number(const wchar_t* member, const std::vector<Arg>& args = {}) const;
    std::wstring text(const wchar_t* member, const std::vector<Arg>& args = {}) const;
    void put(const wchar_t* member, const Arg& value) const;
    IDispatch* get() const { return object_.get(); }
    void release() { object_.reset(); }

private:
    Variant invoke(const wchar_t* member, WORD flags, const std::vector<Arg>& args) const;
    ComPtr<IDispatch> object_;
};

}  // namespace wordsrv::test
