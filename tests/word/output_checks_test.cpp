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
