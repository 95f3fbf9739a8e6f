// The checks made before any work: the output's folder, its format, a path
// that is not a full one, and an output that is one of the inputs under any
// spelling, on real files.
#include <gtest/gtest.h>

#include "scratch_folder.h"
#include "word/file_identity.h"
#include "word/output_checks.h"
#include "word/output_format.h"

namespace tessaro {
namespace {

using testing::ScratchFolder;
using word::MergeOutputProblem;
using word::SplitFolderProblem;

TEST(OutputFormat, EachExtensionInAnyCaseAndNamesWithout) {
  EXPECT_EQ(word::FormatOf(L"D:\\o\\a.docx"), 16);
  EXPECT_EQ(word::FormatOf(L"D:\\o\\a.DOC"), 0);
  EXPECT_EQ(word::FormatOf(L"D:\\o\\a.Rtf"), 6);
  EXPECT_EQ(word::FormatOf(L"D:\\o\\a.odt"), 23);
  EXPECT_EQ(word::FormatOf(L"D:\\o\\a.pdf"), 17);
  EXPECT_EQ(word::FormatOf(L"D:\\o\\a.txt"), std::nullopt);
  EXPECT_EQ(word::FormatOf(L"D:\\o.docx\\a"), std::nullopt);

  const auto path = [](const wchar_t* output, const wchar_t* first) {
    const word::Result<std::wstring> target = word::MergeOutputPath(output, first);
    return target ? *target : target.failure().text;
  };
  EXPECT_EQ(path(L"D:\\o\\all.PDF", L"D:\\a.doc"), L"D:\\o\\all.PDF");
  EXPECT_EQ(path(L"D:\\o\\all", L"D:\\a.doc"), L"D:\\o\\all.doc");
  EXPECT_EQ(path(L"D:\\o.v2\\all", L"D:\\a.DOCX"), L"D:\\o.v2\\all.docx");
  EXPECT_EQ(path(L"D:\\o\\all", L"D:\\a.wps"), L"D:\\o\\all.docx");
  EXPECT_EQ(path(L"D:\\o\\all.abc", L"D:\\a.doc"), L"不支持的输出格式: .abc");
}

TEST(OutputChecks, OnlyFullPathsAreTaken) {
  for (const wchar_t* path : {L"C:\\a.docx", L"c:/a.docx", L"\\\\server\\share\\a.docx"})
    EXPECT_TRUE(word::IsFullPath(path)) << path;
  for (const wchar_t* path : {L"结果.docx", L"C:a.docx", L"\\a.docx", L"..\\a.docx", L"\\\\\\a.docx", L"1:\\a"})
    EXPECT_FALSE(word::IsFullPath(path)) << path;
}

class MergeOutputTest : public ::testing::Test {
 protected:
  ScratchFolder folder_{L"merge output"};
  const std::wstring input_ = folder_.File(L"第一个 document.docx");
  const std::vector<AddedDocument> documents_{{L"第一个 document.docx", folder_.path()},
                                              {L"other.doc", L"C:\\nowhere"}};
};

TEST_F(MergeOutputTest, AWritableNewOrOtherFileIsTaken) {
  EXPECT_EQ(MergeOutputProblem(L"  " + folder_.path() + L"\\合并.docx ", documents_), std::nullopt);
  EXPECT_EQ(MergeOutputProblem(folder_.File(L"old result.pdf"), documents_), std::nullopt);
  // Nothing to merge into, or nothing to merge: the merge itself says so.
  EXPECT_EQ(MergeOutputProblem(L" \u3000", documents_), std::nullopt);
  EXPECT_EQ(MergeOutputProblem(L"C:\\nowhere\\x.docx", {}), std::nullopt);
}

TEST_F(MergeOutputTest, ARelativeOrFolderPathOrUnknownFormatIsRefused) {
  EXPECT_EQ(MergeOutputProblem(L"结果.docx", documents_), L"请输入完整的路径");
  EXPECT_EQ(MergeOutputProblem(folder_.path() + L"\\", documents_), L"请输入完整的路径");
  EXPECT_EQ(MergeOutputProblem(folder_.path() + L"\\x.abc", documents_), L"不支持的输出格式: .abc");
}

TEST_F(MergeOutputTest, TheFolderMustExistAndBeAFolder) {
  const std::wstring missing = folder_.path() + L"\\不存在";
  EXPECT_EQ(MergeOutputProblem(missing + L"\\x.docx", documents_), L"输出文件夹不存在: " + missing);
  const std::wstring file = folder_.File(L"a file");
  EXPECT_EQ(MergeOutputProblem(file + L"\\x.docx", documents_), L"输出文件夹不存在: " + file);
}

TEST_F(MergeOutputTest, AnInputUnderAnySpellingIsRefused) {
  std::wstring upper = input_;
  for (wchar_t& c : upper) c = towupper(c);
  const std::wstring short_name = testing::ShortName(input_);
  ASSERT_NE(short_name, input_);
  for (const std::wstring& output : {input_, upper, short_name})
    EXPECT_EQ(MergeOutputProblem(output, documents_), L"输出文件不能是要合并的文档: " + output);
  // The name without extension becomes the first document's own file.
  const std::wstring bare = input_.substr(0, input_.size() - 5);
  EXPECT_EQ(MergeOutputProblem(bare, documents_), L"输出文件不能是要合并的文档: " + input_);
  // An input further down the list is as much at risk as the first.
  const std::vector<AddedDocument> later{{L"other.doc", L"C:\\nowhere"}, documents_[0]};
  EXPECT_EQ(MergeOutputProblem(short_name, later), L"输出文件不能是要合并的文档: " + short_name);
}

TEST(SplitFolder, MustBeAFullPathToAnExistingFolder) {
  const ScratchFolder folder(L"split folder");
  EXPECT_EQ(SplitFolderProblem(L" " + folder.path() + L" "), std::nullopt);
  EXPECT_EQ(SplitFolderProblem(L"C:\\"), std::nullopt);
  EXPECT_EQ(SplitFolderProblem(L" \t"), std::nullopt);  // left to the split's own message
  EXPECT_EQ(SplitFolderProblem(L"out"), L"请输入完整的路径");
  const std::wstring missing = folder.path() + L"\\页";
  EXPECT_EQ(SplitFolderProblem(missing), L"输出文件夹不存在: " + missing);
  const std::wstring file = folder.File(L"页.docx");
  EXPECT_EQ(SplitFolderProblem(file), L"输出文件夹不存在: " + file);
}

TEST_F(MergeOutputTest, AFileThereIsReplacedOnlyAfterAQuestion) {
  const std::wstring old = folder_.File(L"2024年度工作总结报告.docx");
  EXPECT_EQ(word::MergeReplaceQuestion(L" " + old + L" ", documents_), old + L" 已存在。要替换它吗?");
  // The name as the merge completes it.
  EXPECT_EQ(word::MergeReplaceQuestion(old.substr(0, old.size() - 5), documents_), old + L" 已存在。要替换它吗?");
  EXPECT_EQ(word::MergeReplaceQuestion(folder_.path() + L"\\新.docx", documents_), std::nullopt);
  // One document is not merged, so nothing is written.
  EXPECT_EQ(word::MergeReplaceQuestion(old, {documents_[0]}), std::nullopt);
}

// The pieces the split would write, counted among what the folder holds:
// 报告_1.docx and 报告_2.DOCX are the first document's, 附录_1.docx the second's.
TEST(SplitReplaceQuestion, CountsThePiecesOfTheDocumentsSplit) {
  const ScratchFolder folder(L"split replace");
  for (const wchar_t* name : {L"报告_1.docx", L"报告_2.DOCX", L"附录_1.docx", L"报告_02.docx", L"报告_x.docx",
                              L"报告_3.doc", L"报告.docx", L"报告_.docx"})
    folder.File(name);
  CreateDirectoryW((folder.path() + L"\\报告_4.docx").c_str(), nullptr);
  const ScratchFolder empty(L"split replace none");
  const std::vector<AddedDocument> documents{{L"报告.docx", L"C:\\in"}, {L"附录.docx", L"C:\\in"}};
  struct Case {
    const char* what;
    std::wstring folder;
    bool batch;
    word::SplitMethod method;
    const wchar_t* file_count;
    std::optional<std::wstring> question;
  };
  const auto asked = [](int count) {
    return L"输出文件夹中已有 " + std::to_wstring(count) + L" 个同名文件,要替换它们吗?";
  };
  const Case cases[] = {
      {"the first document", folder.path(), false, word::SplitMethod::kPerPage, L"", asked(2)},
      {"every document", L" " + folder.path() + L" ", true, word::SplitMethod::kPerPage, L"", asked(3)},
      {"an even split", folder.path(), false, word::SplitMethod::kEven, L"2", asked(2)},
      {"an even split that will not start", folder.path(), false, word::SplitMethod::kEven, L"x", std::nullopt},
      {"no method", folder.path(), true, word::SplitMethod::kNone, L"", std::nullopt},
      {"a folder without pieces", empty.path(), true, word::SplitMethod::kPerPage, L"", std::nullopt},
  };
  for (const Case& c : cases) {
    word::SplitOptions options;
    options.output_folder = c.folder;
    options.batch = c.batch;
    options.method = c.method;
    options.file_count = c.file_count;
    EXPECT_EQ(word::SplitReplaceQuestion(options, documents), c.question) << c.what;
  }
  EXPECT_EQ(word::SplitReplaceQuestion({}, documents), std::nullopt);
}

TEST(SameFile, OneFileUnderLongPathsAndTwoFilesApart) {
  const ScratchFolder folder(L"same file");
  EXPECT_FALSE(word::SameFile(folder.File(L"a.docx"), folder.File(L"b.docx")));

  // Beyond MAX_PATH only the "\\?\" form reaches the file system, so the
  // test makes and removes the tree itself.
  std::vector<std::wstring> folders{folder.path()};
  while (folders.back().size() < 300) {
    folders.push_back(folders.back() + L"\\" + std::wstring(40, L'长'));
    CreateDirectoryW((L"\\\\?\\" + folders.back()).c_str(), nullptr);
  }
  const std::wstring file = folders.back() + L"\\a.docx";
  CloseHandle(CreateFileW((L"\\\\?\\" + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  std::wstring upper = file;
  for (wchar_t& c : upper) c = towupper(c);
  EXPECT_TRUE(word::SameFile(file, upper));
  EXPECT_TRUE(word::IsFolder(folders.back()));
  DeleteFileW((L"\\\\?\\" + file).c_str());
  for (auto deep = folders.rbegin(); deep + 1 != folders.rend(); ++deep)
    RemoveDirectoryW((L"\\\\?\\" + *deep).c_str());
}

}  // namespace
}  // namespace tessaro
