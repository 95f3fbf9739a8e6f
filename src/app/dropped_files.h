// What a drop of files onto the added-documents list adds: Word documents
// dropped one by one, and the Word documents of dropped folders; everything
// else is named back to the user.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>
#include <string_view>
#include <vector>

#include "word/added_document.h"

namespace tessaro {

struct DroppedFiles {
  std::vector<AddedDocument> documents;  // in the order they were dropped
  std::vector<std::wstring> refused;     // names of what was left out
};

// A file dropped from outside counts as a Word document by its extension
// alone, in any letter case: there is no type column to ask.
bool HasWordExtension(std::wstring_view name);

// Files keep the order of the drop; a folder gives its Word documents (not
// those of its subfolders) in the order Explorer shows names.
DroppedFiles ReadDroppedFiles(const std::vector<std::wstring>& paths);

// The paths a data object carries as dropped files (CF_HDROP); empty when it
// carries none.
std::vector<std::wstring> DroppedPaths(IDataObject* data);
bool CarriesFiles(IDataObject* data);

// One message for everything left out of a drop.
std::wstring RefusalMessage(const std::vector<std::wstring>& refused);

}  // namespace tessaro
