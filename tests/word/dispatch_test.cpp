// The typed IDispatch layer against an in-test server: how arguments, puts
// and errors reach the object, DISPID caching, no leaked references, Word's
// start-up with the WPS fallback, and the exact calls the merge and split make.
#include <gtest/gtest.h>

#include "fake_dispatch.h"
#include "word/dispatch.h"
#include "word/job_thread.h"
#include "word/merge.h"
#include "word/split.h"
#include "word/start_word.h"

namespace tessaro {
namespace {

using testing::FakeServer;
using word::Dispatch;
using word::Named;
using Log = std::vector<std::wstring>;

class DispatchTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(FakeServer::live_objects, 0) << "a reference leaked"; }
  FakeServer server_;
};

TEST_F(DispatchTest, PositionalThenNamedArgumentsArriveInCallOrder) {
  Dispatch documents(server_.NewObject(L"Documents"));
  EXPECT_TRUE(documents.Call(L"Open", Named{L"FileName", L"D:\\a.doc"}, Named{L"ReadOnly", true}));
  EXPECT_TRUE(documents.Call(L"Item", 2, L"x", Named{L"Flag", false}));
  EXPECT_TRUE(documents.Get(L"Count"));
  EXPECT_EQ(server_.calls, (Log{L"Documents.Open(FileName:=\"D:\\a.doc\", ReadOnly:=True)",
                                L"Documents.Item(2, \"x\", Flag:=False)", L"get Documents.Count"}));
}

TEST_F(DispatchTest, APositionalArgumentAfterANamedOneIsRefusedUnsent) {
  Dispatch documents(server_.NewObject(L"Documents"));
  auto result = documents.Call(L"Open", Named{L"FileName", L"a"}, true);
  ASSERT_FALSE(result);
  EXPECT_EQ(result.failure().code, E_INVALIDARG);
  EXPECT_TRUE(server_.calls.empty());
}

TEST_F(DispatchTest, PutsNameTheirValueAsThePropertyPut) {
  Dispatch word(server_.NewObject(L"Application"));
  EXPECT_TRUE(word.Put(L"Visible", false));
  Dispatch range(server_.NewObject(L"Range"));
  Dispatch text(server_.NewObject(L"FormattedText"));
  EXPECT_TRUE(range.Put(L"FormattedText", word::Variant(text.get())));
  EXPECT_EQ(server_.calls, (Log{L"put Application.Visible = False", L"put Range.FormattedText = <FormattedText>"}));
}

TEST_F(DispatchTest, ErrorsCarryTheServersDescription) {
  server_.errors[L"Document.SaveAs"] = L"磁盘已满";
  server_.errors[L"Document.PrintOut"] = L"";  // filled in only when asked
  server_.failures[L"Document.Close"] = RPC_E_DISCONNECTED;
  server_.failures[L"Document.Undo"] = E_ACCESSDENIED;
  Dispatch document(server_.NewObject(L"Document"));

  auto saved = document.Call(L"SaveAs", Named{L"FileName", L"x"});
  ASSERT_FALSE(saved);
  EXPECT_EQ(saved.failure().text, L"磁盘已满");
  EXPECT_EQ(saved.failure().code, DISP_E_EXCEPTION);

  auto printed = document.Call(L"PrintOut");
  ASSERT_FALSE(printed);
  EXPECT_EQ(printed.failure().text, L"稍后填写的错误");

  auto closed = document.Call(L"Close");
  ASSERT_FALSE(closed);
  // Without a description the user still reads a cause: what happened to
  // Word, or which call failed, with the code.
  EXPECT_EQ(closed.failure().code, RPC_E_DISCONNECTED);
  EXPECT_EQ(closed.failure().text, L"与 Word 的连接已断开 (0x80010108)");
  auto undone = document.Call(L"Undo");
  ASSERT_FALSE(undone);
  EXPECT_EQ(undone.failure().text, L"调用 Undo 失败 (0x80070005)");
}

TEST_F(DispatchTest, DispidsAreLookedUpOncePerObjectAndArgumentNames) {
  Dispatch documents(server_.NewObject(L"Documents"));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(documents.Call(L"Open", Named{L"FileName", L"a"}));
  EXPECT_EQ(server_.lookups[L"Documents.Open"], 1);
  EXPECT_TRUE(documents.Call(L"Open", Named{L"FileName", L"a"}, Named{L"ReadOnly", true}));
  EXPECT_EQ(server_.lookups[L"Documents.Open"], 2);
  Dispatch other(server_.NewObject(L"Documents"));
  EXPECT_TRUE(other.Call(L"Open", Named{L"FileName", L"a"}));
  EXPECT_EQ(server_.lookups[L"Documents.Open"], 3);
}

// A page walk asks new Bookmark and Range objects the same few things again
// and again: the names are looked up once per kind, and a kind never lends
// its DISPIDs to another, even for a member of the same name.
TEST_F(DispatchTest, ObjectsOneMemberGivesShareTheirDispidsWithNoOtherKind) {
  server_.children[L"Document.Content"] = L"Range";
  server_.children[L"Document.Bookmarks"] = L"Bookmarks";
  server_.children[L"Bookmarks.Item"] = L"Bookmark";
  server_.numbers[L"Range.Start"] = 1;
  server_.numbers[L"Range.End"] = 2;
  server_.numbers[L"Bookmark.End"] = 3;
  Dispatch document(server_.NewObject(L"Document"));
  Log expected;
  for (int i = 0; i < 3; ++i) {
    auto content = document.Child(L"Content");
    ASSERT_TRUE(content);
    EXPECT_EQ(content->Get(L"Start")->ToInt(), 1);
    EXPECT_EQ(content->Get(L"End")->ToInt(), 2);
    auto bookmarks = document.Child(L"Bookmarks");
    ASSERT_TRUE(bookmarks);
    auto page = bookmarks->CallChild(L"Item", L"\\page");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->Get(L"End")->ToInt(), 3);
    expected.insert(expected.end(), {L"get Document.Content", L"get Range.Start", L"get Range.End",
                                     L"get Document.Bookmarks", L"Bookmarks.Item(\"\\page\")", L"get Bookmark.End"});
  }
  EXPECT_EQ(server_.calls, expected);
  for (const wchar_t* member : {L"Document.Content", L"Range.Start", L"Range.End", L"Bookmarks.Item", L"Bookmark.End"})
    EXPECT_EQ(server_.lookups[member], 1) << member;
}

TEST_F(DispatchTest, ChildObjectsAndNumbers) {
  server_.children[L"Document.Content"] = L"Range";
  server_.numbers[L"Range.Information"] = 70000;
  Dispatch document(server_.NewObject(L"Document"));
  auto content = document.Child(L"Content");
  ASSERT_TRUE(content);
  auto pages = content->Get(L"Information", 4);
  ASSERT_TRUE(pages);
  EXPECT_EQ(pages->ToInt(), 70000);
  EXPECT_FALSE(document.Child(L"Name")) << "a member without an object";
}

// Word's start-up, with a recorder of the ProgIDs asked for.
class StartWordTest : public DispatchTest {
 protected:
  word::CreateObject Creator(HRESULT word_result) {
    return [this, word_result](const wchar_t* prog_id, ComPtr<IDispatch>& object) -> HRESULT {
      asked_.push_back(prog_id);
      if (std::wstring(prog_id) == L"Word.Application" && FAILED(word_result)) return word_result;
      if (std::wstring(prog_id) == L"KWPS.Application" && !wps_installed_) return CO_E_CLASSSTRING;
      object = server_.NewObject(L"Application");
      return S_OK;
    };
  }
  Log asked_;
  bool wps_installed_ = true;
};

TEST_F(StartWordTest, WordComesFirst) {
  EXPECT_NE(word::StartWord(Creator(S_OK)), nullptr);
  EXPECT_EQ(asked_, Log{L"Word.Application"});
}

TEST_F(StartWordTest, WpsStandsInOnlyWhereWordIsNotRegistered) {
  EXPECT_NE(word::StartWord(Creator(CO_E_CLASSSTRING)), nullptr);
  EXPECT_NE(word::StartWord(Creator(REGDB_E_CLASSNOTREG)), nullptr);
  EXPECT_EQ(word::StartWord(Creator(CO_E_SERVER_EXEC_FAILURE)), nullptr);
  EXPECT_EQ(asked_, (Log{L"Word.Application", L"KWPS.Application", L"Word.Application", L"KWPS.Application",
                         L"Word.Application"}));
}

TEST_F(StartWordTest, NeitherInstalledStartsNothing) {
  wps_installed_ = false;
  EXPECT_EQ(word::StartWord(Creator(CO_E_CLASSSTRING)), nullptr);
}

// The calls the merge and the split make through IDispatch: what the COM
// server has to answer (WORD_CALLS.md).
class WordCallsTest : public StartWordTest {
 protected:
  void SetUp() override {
    for (auto [member, child] : std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>{
             {L"Application.Documents", L"Documents"}, {L"Application.Selection", L"Selection"},
             {L"Application.Browser", L"Browser"}, {L"Documents.Open", L"Document"},
             {L"Documents.Add", L"Document"}, {L"Document.Content", L"Range"},
             {L"Document.Bookmarks", L"Bookmarks"}, {L"Bookmarks.Item", L"Bookmark"},
             {L"Bookmark.Range", L"Range"}, {L"Document.Range", L"Range"}, {L"Range.Fields", L"Fields"},
             {L"Range.FormattedText", L"FormattedText"}})
      server_.children[member] = child;
    server_.numbers[L"Range.Information"] = 2;
    server_.numbers[L"Fields.Update"] = 0;
    server_.numbers[L"Range.Start"] = 0;
    server_.numbers[L"Range.End"] = 10;
  }
  word::WordStarter Starter() {
    return [this] { return word::StartWord(Creator(CO_E_CLASSSTRING)); };
  }
  word::ShowMessage Recorder() {
    return [this](const std::wstring& text) { messages_.push_back(text); };
  }
  Log messages_;
};

constexpr wchar_t kOpenOptions[] =
    L"ConfirmConversions:=False, ReadOnly:=True, AddToRecentFiles:=False, PasswordDocument:=\"\\x1tessaro\")";

TEST_F(WordCallsTest, Merge) {
  word::MergeOptions options;
  options.output_path = L"D:\\out\\all.doc";
  options.keep_formatting = options.update_fields = options.print = true;
  word::Merge({{L"A.doc", L"D:\\in"}, {L"B.doc", L"D:\\in"}}, options, Starter(), Recorder());
  EXPECT_EQ(server_.calls,
            (Log{L"put Application.DisplayAlerts = 0", L"put Application.AutomationSecurity = 3",
                 L"put Application.Visible = False", L"Application.Activate()",
                 L"put Application.WindowState = 1", L"get Application.Documents",
                 std::wstring(L"Documents.Open(FileName:=\"D:\\in\\A.doc\", ") + kOpenOptions,
                 std::wstring(L"Documents.Open(FileName:=\"D:\\in\\B.doc\", ") + kOpenOptions,
                 L"Document.Close(SaveChanges:=0)",
                 L"get Application.Selection", L"Selection.EndKey(Unit:=6)",
                 L"get Application.Selection", L"Selection.InsertBreak(Type:=7)",
                 L"get Application.Selection",
                 L"Selection.InsertFile(FileName:=\"D:\\in\\B.doc\", Range:=\"\", ConfirmConversions:=False, "
                 L"Link:=False, Attachment:=False)",
                 L"get Document.Content", L"get Range.Information(4)",
                 L"get Document.Content", L"Range.Select()", L"get Range.Fields", L"Fields.Update()",
                 L"Document.SaveAs(FileName:=\"D:\\out\\all.doc\", FileFormat:=0)", L"Document.PrintOut(Background:=False)",
                 L"Document.Close(SaveChanges:=0)", L"Application.Quit(SaveChanges:=0)"}));
  EXPECT_EQ(messages_, Log{L"合并成功!新生成的文档一共:2页"});
}

TEST_F(WordCallsTest, MergeLeavingTheResultOpen) {
  word::MergeOptions options;
  options.output_path = L"D:\\out\\all.doc";
  options.open_result = true;
  word::Merge({{L"A.doc", L"D:\\in"}, {L"B.doc", L"D:\\in"}}, options, Starter(), Recorder());
  const Log tail(server_.calls.end() - 3, server_.calls.end());
  EXPECT_EQ(tail, (Log{L"Document.Close(SaveChanges:=0)",
                       L"Documents.Open(FileName:=\"D:\\out\\all.doc\", ConfirmConversions:=False, ReadOnly:=False, "
                       L"AddToRecentFiles:=False, PasswordDocument:=\"\\x1tessaro\")",
                       L"put Application.Visible = True"}));
}

TEST_F(WordCallsTest, FieldsThatFailToUpdateAreReported) {
  server_.numbers[L"Fields.Update"] = 3;
  word::MergeOptions options;
  options.output_path = L"D:\\out\\all.doc";
  options.update_fields = true;
  word::Merge({{L"A.doc", L"D:\\in"}, {L"B.doc", L"D:\\in"}}, options, Starter(), Recorder());
  EXPECT_EQ(messages_, Log{L"合并未完全成功!\n无法更新域代码 (第 3 个域无法更新)\n新生成的文档一共:2页"});
}

// The document's Bookmarks and Word's Browser are asked for once per walk,
// the browser's target set once.
TEST_F(WordCallsTest, SplitPerPage) {
  server_.numbers[L"Range.Information"] = 3;
  word::SplitOptions options;
  options.output_folder = L"D:\\out";
  word::Split({{L"A.doc", L"D:\\in"}}, options, Starter(), Recorder());
  const Log page{L"Bookmarks.Item(\"\\page\")", L"get Bookmark.Range", L"get Range.Start", L"get Range.End"};
  const Log piece{L"Documents.Add()", L"Document.Range(Start:=0, End:=10)", L"get Range.FormattedText",
                  L"get Document.Content", L"put Range.FormattedText = <FormattedText>"};
  Log expected{L"put Application.DisplayAlerts = 0", L"put Application.AutomationSecurity = 3",
               L"get Application.Documents",
               std::wstring(L"Documents.Open(FileName:=\"D:\\in\\A.doc\", ") + kOpenOptions,
               L"get Document.Content", L"Range.Collapse(Direction:=1)", L"Range.Select()",
               L"get Document.Content", L"get Range.Information(4)", L"get Document.Bookmarks"};
  expected.insert(expected.end(), page.begin(), page.end());
  expected.insert(expected.end(), {L"get Application.Browser", L"put Browser.Target = 1", L"Browser.Next()"});
  expected.insert(expected.end(), page.begin(), page.end());
  expected.push_back(L"Browser.Next()");
  expected.insert(expected.end(), page.begin(), page.end());
  for (int number = 1; number <= 3; ++number) {
    expected.insert(expected.end(), piece.begin(), piece.end());
    expected.push_back(L"Document.SaveAs(FileName:=\"D:\\out\\A_" + std::to_wstring(number) +
                       L".doc\", FileFormat:=0)");
    expected.push_back(L"Document.Close(SaveChanges:=0)");
  }
  expected.insert(expected.end(), {L"Document.Close(SaveChanges:=0)", L"Application.Quit(SaveChanges:=0)"});
  EXPECT_EQ(server_.calls, expected);
  EXPECT_EQ(messages_, Log{L"分割完毕!"});
}

TEST_F(WordCallsTest, AFailedCopyClosesTheNewDocumentAndReportsThePageFile) {
  server_.errors[L"Range.FormattedText"] = L"复制失败";
  word::SplitOptions options;
  options.output_folder = L"D:\\out";
  word::Split({{L"A.doc", L"D:\\in"}}, options, Starter(), Recorder());
  EXPECT_EQ(messages_, Log{L"分割未完全成功!\n已生成 0 个文件,无法保存第 1 页: D:\\out\\A_1.doc (复制失败)"});
  EXPECT_EQ(std::count(server_.calls.begin(), server_.calls.end(), L"Document.Close(SaveChanges:=0)"), 2);
}

// The split run as the window runs it: Word is started on the job's own
// thread, in a single-threaded apartment of its own, and every reference is
// released there before the apartment goes (TearDown counts them).
TEST_F(WordCallsTest, AJobStartsWordInItsOwnApartmentAndReleasesItThere) {
  APTTYPE apartment = APTTYPE_CURRENT;
  DWORD thread = 0;
  const word::WordStarter start = [&] {
    thread = GetCurrentThreadId();
    APTTYPEQUALIFIER qualifier{};
    if (FAILED(CoGetApartmentType(&apartment, &qualifier))) apartment = APTTYPE_CURRENT;
    return Starter()();
  };
  word::SplitOptions options;
  options.output_folder = L"D:\\out";
  word::JobThread job(
      [&](word::Progress& progress, const word::ShowMessage& show) {
        word::Split({{L"A.doc", L"D:\\in"}}, options, start, show, progress);
      },
      nullptr);
  job.Wait();
  EXPECT_EQ(job.TakeMessages(), Log{L"分割完毕!"});
  EXPECT_NE(thread, GetCurrentThreadId());
  EXPECT_EQ(apartment, APTTYPE_STA);
  EXPECT_EQ(server_.calls.back(), L"Application.Quit(SaveChanges:=0)");
}

}  // namespace
}  // namespace tessaro
