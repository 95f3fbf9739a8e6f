// "合并" and "分割" pressed in the real window, on a machine without Word.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/form1.h"
#include "app/form1_layout.h"
#include "main_window_fixture.h"
#include "pump.h"

namespace tessaro {
namespace {

using namespace form1;

bool Registered(const wchar_t* prog_id) {
  CLSID clsid{};
  return SUCCEEDED(CLSIDFromProgID(prog_id, &clsid));
}

class WordButtonsWindowTest : public testing::MainWindowFixture {
 protected:
  void SetUp() override {
    if (Registered(L"Word.Application") || Registered(L"KWPS.Application"))
      GTEST_SKIP() << "a Word automation server is registered in this prefix";
    MainWindowFixture::SetUp();
    form_->set_show_message([this](const std::wstring& text) { messages_.push_back(text); });
    form_->OverrideFolderPathForTesting([this] { return folder_; });
    AddFrom(L"C:\\", L"a.docx");
    AddFrom(L"C:\\docs", L"b.docx");
  }

  // Adds one document the way a user does: selected in the contents list, "添加全部".
  void AddFrom(const wchar_t* folder, const wchar_t* name) {
    folder_ = folder;
    FillContents({{name, L"", true}}, 0);
    Press(StyleButton4);
  }

  // The job runs on its own thread; its message comes once it has ended.
  void PressAndFinish(int id) {
    Press(id);
    EXPECT_TRUE(testing::PumpUntil([this] { return !form_->JobRunning(); }, 30000));
  }

  std::wstring folder_;
  std::vector<std::wstring> messages_;
};

TEST_F(WordButtonsWindowTest, TheListGivesTheDocumentsInOrder) {
  EXPECT_EQ(form_->AddedDocuments(),
            (std::vector<AddedDocument>{{L"a.docx", L"C:\\"}, {L"b.docx", L"C:\\docs"}}));
}

TEST_F(WordButtonsWindowTest, MergeWithoutWordSaysWordCannotStart) {
  SetWindowTextW(form_->Control(Text1), L"C:\\out.docx");
  PressAndFinish(StyleButton7);
  EXPECT_EQ(messages_, std::vector<std::wstring>{L"无法启动Word,请确认已安装Word!"});
}

// The check's answer, not "Word cannot start": Word was never asked for.
TEST_F(WordButtonsWindowTest, OutputsThatCannotBeUsedAreRefusedBeforeWordIsStarted) {
  SetWindowTextW(form_->Control(Text1), L"C:\\没有这个文件夹\\out.docx");
  Press(StyleButton7);
  SetWindowTextW(form_->Control(Text2), L"  分割  ");
  Press(StyleButton8);
  EXPECT_EQ(messages_, (std::vector<std::wstring>{L"输出文件夹不存在: C:\\没有这个文件夹",
                                                  L"请输入完整的路径"}));
}

TEST_F(WordButtonsWindowTest, SplitReadsTheWindowsInputs) {
  PressAndFinish(StyleButton8);
  SetWindowTextW(form_->Control(Text2), L"C:\\");
  SendMessageW(form_->Control(Option1), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageW(form_->Control(Option2), BM_SETCHECK, BST_CHECKED, 0);
  PressAndFinish(StyleButton8);
  SetWindowTextW(form_->Control(Text3), L"2");
  PressAndFinish(StyleButton8);
  EXPECT_EQ(messages_, (std::vector<std::wstring>{L"分割输出路径不能为空！请选定路径后再分割！",
                                                  L"请输入有效的分割文件数!", L"无法启动Word,请确认已安装Word!"}));
}

}  // namespace
}  // namespace tessaro
