#include "word/start_word.h"

#include <objbase.h>

#include "word/dispatch_word.h"

namespace tessaro::word {
namespace {

bool NotRegistered(HRESULT code) { return code == CO_E_CLASSSTRING || code == REGDB_E_CLASSNOTREG; }

}  // namespace

HRESULT CreateServerObject(const wchar_t* prog_id, ComPtr<IDispatch>& object) {
  CLSID clsid{};
  if (const HRESULT hr = CLSIDFromProgID(prog_id, &clsid); FAILED(hr)) return hr;
  return CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                          reinterpret_cast<void**>(object.Receive()));
}

std::unique_ptr<Application> StartWord(const CreateObject& create) {
  ComPtr<IDispatch> word;
  HRESULT hr = create(L"Word.Application", word);
  if (NotRegistered(hr)) hr = create(L"KWPS.Application", word);
  if (FAILED(hr) || !word) return nullptr;
  return MakeDispatchApplication(Dispatch(std::move(word)));
}

}  // namespace tessaro::word
