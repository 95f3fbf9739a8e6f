// A merge or split runs on its own thread while the window stays usable; the
// progress window appears only for jobs long enough to need it.
#include <utility>

#include "app/application.h"
#include "app/form1.h"
#include "app/form1_layout.h"
#include "app/progress_form.h"
#include "controls/notice.h"

namespace tessaro {
namespace {

using namespace form1;

constexpr UINT kJobEnded = WM_APP + 0x13;
constexpr UINT_PTR kProgressTimer = 0x4A4F;
// A job done within this time is over before a window could say much.
constexpr UINT kProgressDelayMs = 1000;

constexpr wchar_t kCancelAndExit[] = L"正在处理文档,确定要取消并退出吗?";

// Everything that would change the job's documents, options or outputs.
constexpr int kJobControls[] = {
    ListView1, ListView2,    vsOrder,      StyleButton3, StyleButton4, StyleButton5, StyleButton6,
    Check1,    Check2,       Check3,       Check4,       Check5,       Check6,       Check7,
    Option1,   Option2,      Text1,        Text2,        Text3,        StyleButton1, StyleButton2,
    StyleButton7, StyleButton8,
};

}  // namespace

void Form1::RunJob(word::JobThread::Work work) {
  if (job_) return;
  LockJobControls();
  job_started_ = GetTickCount64();
  // Posted, never sent: on closing, this thread waits for the job's.
  job_ = std::make_unique<word::JobThread>(std::move(work),
                                           [window = hwnd()] { PostMessageW(window, kJobEnded, 0, 0); });
  SetTimer(hwnd(), kProgressTimer, kProgressDelayMs, nullptr);
}

bool Form1::OnJobMessage(UINT message, WPARAM wparam) {
  if (message == kJobEnded) {
    OnJobEnded();
    return true;
  }
  if (message == WM_TIMER && wparam == kProgressTimer) {
    ShowProgress();
    return true;
  }
  return false;
}

void Form1::ShowProgress() {
  KillTimer(hwnd(), kProgressTimer);
  if (job_ && job_->Running()) app().progress_window().Follow(*job_, hwnd(), job_started_);
}

void Form1::OnJobEnded() {
  if (!job_ || job_->Running()) return;
  KillTimer(hwnd(), kProgressTimer);
  app().progress_window().Unload();
  job_->Wait();
  for (std::wstring& text : job_->TakeMessages()) job_messages_.push_back(std::move(text));
  job_.reset();
  UnlockJobControls();
  // A box over the question whether to leave would be answered in its place:
  // the end is told once the user has chosen to stay.
  if (!asking_to_leave_) ShowJobMessages();
}

void Form1::ShowJobMessages() {
  const std::vector<std::wstring> messages = std::exchange(job_messages_, {});
  // After the progress window has gone, so that the box is the one in front;
  // above every window when the job has just opened one of its own.
  const word::ShowMessage show = MessageFunction(result_opens_);
  for (const std::wstring& text : messages) show(text);
}

bool Form1::AllowClosing() {
  if (!job_) return true;
  if (asking_to_leave_) return false;
  asking_to_leave_ = true;
  const bool leave = ask_ ? ask_(kCancelAndExit) : AskYesNo(hwnd(), kCancelAndExit);
  asking_to_leave_ = false;
  if (!leave) {
    ShowJobMessages();
    return false;
  }
  // Whether the job ended meanwhile or still runs, the program goes: out of
  // sight at once, then once the job's Word has been ended.
  job_messages_.clear();
  ShowWindow(hwnd(), SW_HIDE);
  StopJob();
  return true;
}

void Form1::OnClose() {
  if (AllowClosing()) Unload();
}

void Form1::StopJob() {
  if (!job_) return;
  job_->Cancel();
  // The job stops at its next step and quits its Word before it ends.
  job_->Wait();
  KillTimer(hwnd(), kProgressTimer);
  app().progress_window().Unload();
  job_.reset();
  UnlockJobControls();
}

void Form1::LockJobControls() {
  locked_.clear();
  for (int id : kJobControls) {
    HWND control = Control(id);
    locked_.emplace_back(control, IsWindowEnabled(control) != FALSE);
    EnableWindow(control, FALSE);
  }
}

void Form1::UnlockJobControls() {
  for (const auto& [control, enabled] : locked_) EnableWindow(control, enabled);
  locked_.clear();
}

}  // namespace tessaro
