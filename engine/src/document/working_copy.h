#pragma once
#include "document/document.h"

#include <com/sun/star/uno/XComponentContext.hpp>

#include <string>

namespace tessaro {

// Copies of a document that the split cuts up: flat ODF files, read back as
// models without a view. A model with no view has no page layout, so cutting
// it and writing it out cost only the text that is left, never a new layout
// of the whole document.
void storeWorkingCopy(const Document& doc, const std::string& path);
Document loadWorkingCopy(const Reference<css::uno::XComponentContext>& context, const std::string& path);

}  // namespace tessaro
