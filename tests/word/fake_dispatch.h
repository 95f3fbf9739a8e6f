// An in-test automation server: objects named by their role, each call
// written down as text, answers and errors set per "Object.Member".
#pragma once

#include <oaidl.h>

#include <map>
#include <string>
#include <vector>

#include "win32/com_ptr.h"

namespace tessaro::testing {

class FakeServer {
 public:
  // "Documents.Open(FileName:=\"a\", ReadOnly:=True)", "get Document.Content",
  // "put Application.Visible = False".
  std::vector<std::wstring> calls;
  // GetIDsOfNames calls per "Object.Member".
  std::map<std::wstring, int> lookups;
  // Per "Object.Member": the role of the object it returns, a number it
  // returns, or the description of the error it raises.
  std::map<std::wstring, std::wstring> children;
  std::map<std::wstring, int> numbers;
  std::map<std::wstring, std::wstring> errors;
  // Per "Object.Member": an HRESULT failure without EXCEPINFO.
  std::map<std::wstring, HRESULT> failures;

  ComPtr<IDispatch> NewObject(const std::wstring& role);

  // Member and argument names per role in the order they were first looked
  // up: their positions are the DISPIDs, fixed per kind of object as a real
  // server's are, and different from one kind to another.
  std::map<std::wstring, std::vector<std::wstring>> names;

  // Objects not yet released, across all servers.
  static int live_objects;
};

}  // namespace tessaro::testing
