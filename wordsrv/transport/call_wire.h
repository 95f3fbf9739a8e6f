#pragma once
// What the server's objects and their proxies in the client say to each
// other. Under Wine every call into another process through COM starts a
// thread of its own, which costs more than most of our calls' work; so each
// object marshals itself as a number in a mailbox of its server's (see
// mailbox.h), and the client's proxy (wordproxy.dll) sends the calls there.
// COM itself carries only the first object.

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <functional>
#include <string>

namespace wordsrv::wire {

// The class that unmarshals our objects in the client: wordproxy.dll.
constexpr CLSID CLSID_TessaroWordProxy = {0x2f6b9d4e, 0x51a7, 0x4c3b, {0x8e, 0x0d, 0x6a, 0x92, 0x1f, 0x47, 0xb3, 0xc8}};

// Where a marshaled object lives: the server's process, the token that
// names its mailbox (see mailbox.h), which only the client COM handed the
// object to learns, and the object's number there.
struct ObjectRef {
    uint32_t process = 0;
    std::string token;  // 32 hex digits
    uint32_t id = 0;
};

constexpr ULONG kObjectRefSize = 4 + 4 + 32 + 4;

HRESULT writeRef(IStream* stream, const ObjectRef& ref);
HRESULT readRef(IStream* stream, ObjectRef& ref);

// Requests, one frame each:
//   "names" id name...                     -> hresult dispid...
//   "call" id dispid flags named-count named-dispid... argument...
//                                          -> hresult result argerr scode source description
//   "release" id...                        the client's last references, sent
//                                          just before the next request and
//                                          run with it (no reply)
//   "goodbye"                              the client has let go of everything
//                                          (no reply)
// Arguments come in DISPPARAMS order (the last first). Numbers are decimal.

// A VARIANT as one field. `objectId` gives the number of an object argument
// or result, 0 for none; it may throw. By-reference values are sent as
// their values. Types a Word call never uses are refused.
HRESULT encodeVariant(const VARIANT& value, const std::function<uint32_t(IDispatch*)>& objectId, std::string& field);
// The field back into `value` (which must be empty); `object` resolves a
// number into a new reference (nullptr when unknown).
HRESULT decodeVariant(const std::string& field, const std::function<IDispatch*(uint32_t)>& object, VARIANT& value);

std::string number(long long n);
// False unless the whole field is a decimal number in range.
bool parseNumber(const std::string& field, long long& n);

}  // namespace wordsrv::wire
