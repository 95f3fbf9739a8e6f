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
#include "pump.h"

namespace tessaro {
namespace {

using namespace form1;

bool Registered(const wchar_t* prog_id) {
  CLSID clsid{};
  return SUCCEEDED(CLSIDFromProgID(prog_id, &clsid));
}

class WordButtonsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Registered(L"Word.Application") || Registered(L"KWPS.Application"))
      GTEST_SKIP() << "a Word automation server is registered in this prefix";
    app_ = std::make_unique<Application>([] {});
    ASSERT_TRUE(app_->Start());
    testing::PumpMessages();
    form_ = &app_->main_window();
    form_->set_show_message([this](const std::wstring& text) { messages_.push_back(text); });
    AddRow(L"a.docx", L"C:\\");
    AddRow(L"b.docx", L"C:\\docs");
  }
  void TearDown() override { app_.reset(); }

  void AddRow(const wchar_t* name, const wchar_t* folder) {
    HWND list = form_->Control(ListView2);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(name);
    const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    item.iSubItem = 1;
    item.pszText = const_cast<wchar_t*>(folder);
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  }
  void Press(int button) {
    SendMessageW(form_->hwnd(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form_->Control(button)));
  }

  std::unique_ptr<Application> app_;
  Form1* form_ = nullptr;
  std::vector<std::wstring> messages_;
};

TEST_F(WordButtonsWindowTest, TheListGivesTheDocumentsInOrder) {
  EXPECT_EQ(form_->AddedDocuments(),
            (std::vector<AddedDocument>{{L"a.docx", L"C:\\"}, {L"b.docx", L"C:\\docs"}}));
}

TEST_F(WordButtonsWindowTest, MergeWithoutWordSaysWordCannotStart) {
  SetWindowTextW(form_->Control(Text1), L"C:\\out.docx");
  Press(StyleButton7);
  EXPECT_EQ(messages_, std::vector<std::wstring>{L"无法启动Word,请确认已安装Word!"});
}

TEST_F(WordButtonsWindowTest, SplitReadsTheWindowsInputs) {
  Press(StyleButton8);
  SetWindowTextW(form_->Control(Text2), L"C:\\out");
  SendMessageW(form_->Control(Option1), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageW(form_->Control(Option2), BM_SETCHECK, BST_CHECKED, 0);
  Press(StyleButton8);
  SetWindowTextW(form_->Control(Text3), L"2");
  Press(StyleButton8);
  EXPECT_EQ(messages_, (std::vector<std::wstring>{L"分割输出路径不能为空！请选定路径后再分割！",
                                                  L"请输入有效的分割文件数!", L"无法启动Word,请确认已安装Word!"}));
}

}  // namespace
}  // namespace tessaro
