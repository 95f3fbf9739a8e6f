// Which rows of the folder contents list may be added.
#include <gtest/gtest.h>

#include "app/word_document_rule.h"

namespace tessaro {
namespace {

struct Case {
  const wchar_t* name;
  const wchar_t* type_name;
  bool passes;
};

TEST(WordDocumentTest, NamesAndTypeNames) {
  const Case cases[] = {
      // By extension, exactly these spellings.
      {L"a.doc", L"", true},
      {L"a.DOC", L"", true},
      {L"a.docx", L"", true},
      {L"a.DOCX", L"", true},
      {L"中文 文档.docx", L"文件", true},
      {L".doc", L"", true},
      // Mixed case only by the type name.
      {L"a.Doc", L"", false},
      {L"a.dOCX", L"DOCX 文件", false},
      {L"a.Doc", L"Microsoft Word 文档", true},
      {L"a.Docx", L"Microsoft Office Word 2007 文档", true},
      // The type name decides whatever the name says.
      {L"readme.txt", L"Microsoft Word 文档", true},
      {L"readme.txt", L"文本文档", false},
      // Names shown without their extension pass only by the type name.
      {L"报告", L"Microsoft Word 文档", true},
      {L"报告", L"Microsoft Office Word 2007 文档", true},
      {L"报告", L"", false},
      // Near misses.
      {L"a.doc.txt", L"", false},
      {L"adoc", L"", false},
      {L"a.docm", L"", false},
      {L"a.dotx", L"", false},
      {L"a.doc ", L"", false},
      {L"a.txt", L"microsoft word 文档", false},
      {L"a.txt", L"Microsoft Word 文档 ", false},
      {L"a.txt", L"Microsoft Word 2007 文档", false},
      {L"", L"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsWordDocument(c.name, c.type_name), c.passes) << c.name << " / " << c.type_name;
  }
}

}  // namespace
}  // namespace tessaro
