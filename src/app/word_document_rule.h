// Whether a row of the folder contents list counts as a Word document: by the
// type name the shell gives it, or by its extension. The extensions are
// compared case-sensitively on purpose, so a.Doc passes only by its type name.
#pragma once

#include <string_view>

namespace tessaro {

// name is the row's text as the list shows it (without an extension when the
// shell hides known extensions); type_name is the list's type column.
bool IsWordDocument(std::wstring_view name, std::wstring_view type_name);

}  // namespace tessaro
