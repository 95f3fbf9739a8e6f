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
#include "contents_list.h"
#include "pump.h"

namespace tessaro::testing {

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
    FillContentsList(Control(form1::ListView1), items, focused);
  }

  std::unique_ptr<Application> app_;
  Form1* form_ = nullptr;
};

}  // namespace tessaro::testing
