#include "app/word_document_rule.h"

namespace tessaro {

bool IsWordDocument(std::wstring_view name, std::wstring_view type_name) {
  for (std::wstring_view type : {L"Microsoft Word 文档", L"Microsoft Office Word 2007 文档"}) {
    if (type_name == type) return true;
  }
  for (std::wstring_view extension : {L".doc", L".docx", L".DOC", L".DOCX"}) {
    if (name.ends_with(extension)) return true;
  }
  return false;
}

}  // namespace tessaro
