// The window that shows how far a merge or split has come while it runs, with
// the button that cancels it. Owned by the main window; Esc means 取消.
#pragma once

#include <windows.h>

#include <string>

#include "app/control_layout.h"
#include "app/form.h"
#include "word/job_thread.h"

namespace tessaro {

namespace progress_form {

enum Control : int { Label1 = 100, ProgressBar1, Label2, StyleButton1 };

inline constexpr SIZE kClientTwips{5400, 1860};
inline constexpr wchar_t kCancelling[] = L"正在取消...";

using K = ControlKind;
inline constexpr ControlLayout kLayout[] = {
  {Label1, L"Label1", K::Label, L"", nullptr, 240, 240, 4920, 495},
  {ProgressBar1, L"ProgressBar1", K::ProgressBar, L"0%", nullptr, 240, 840, 4920, 255},
  {Label2, L"Label2", K::Label, L"", nullptr, 240, 1320, 3000, 255},
  {StyleButton1, L"StyleButton1", K::StyleButton, L"取消", nullptr, 4080, 1260, 1080, 375},
};

// "已用时间: 1:05", minutes and seconds.
std::wstring ElapsedText(ULONGLONG milliseconds);

}  // namespace progress_form

class ProgressForm : public Form {
 public:
  explicit ProgressForm(Application& app);

  // Shows the window over `owner` and follows `job` until unloaded; the job
  // must outlive the window.
  void Follow(word::JobThread& job, HWND owner, ULONGLONG started);

 protected:
  HWND Owner() const override { return owner_; }
  void OnLoad() override;
  void OnUnload() override;
  void OnCommand(int id, int code, HWND control) override;
  void OnClose() override { Cancel(); }
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Cancel();
  void Refresh();

  word::JobThread* job_ = nullptr;
  HWND owner_ = nullptr;
  ULONGLONG started_ = 0;
};

}  // namespace tessaro
