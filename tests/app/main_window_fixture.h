// Starts the program's windows for a test and ends them afterwards.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/form1.h"
#include "app/form1_layout.h"
#include "pump.h"

namespace tessaro::testing {

struct ContentsItem {
  const wchar_t* name;
  const wchar_t* type_name;
  bool selected = false;
};

class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = std::make_unique<Application>([] {});
    ASSERT_TRUE(app_->Start());
    PumpMessages();
    form_ = &app_->main_window();
  }
  void TearDown() override { app_.reset(); }

  HWND Control(int id) const { return form_->Control(id); }
  std::wstring Text(int id) const {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(Control(id))) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(Control(id), text.data(), static_cast<int>(text.size()))));
    return text;
  }
  // A click as the button control reports it.
  void Press(int id) const {
    SendMessageW(form_->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
  }

  // ListView1 as the folder tree would have filled it: name, size, type.
  void FillContents(const std::vector<ContentsItem>& items, int focused) {
    HWND list = Control(form1::ListView1);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    for (int column = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0; column < 3;
         ++column) {
      LVCOLUMNW info{};
      info.mask = LVCF_WIDTH;
      info.cx = 100;
      SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
    }
    // A list that repaints after each of thousands of rows takes minutes.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = const_cast<wchar_t*>(items[i].name);
      SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
      item.iSubItem = 2;
      item.pszText = const_cast<wchar_t*>(items[i].type_name);
      SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
      item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      item.state = (items[i].selected ? LVIS_SELECTED : 0) | (i == focused ? LVIS_FOCUSED : 0);
      SendMessageW(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  }

  std::unique_ptr<Application> app_;
  Form1* form_ = nullptr;
};

}  // namespace tessaro::testing
