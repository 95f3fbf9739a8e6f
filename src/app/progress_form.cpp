#include "app/progress_form.h"

#include <commctrl.h>

#include "skin/skin.h"

namespace tessaro {

using namespace progress_form;

namespace {

// Often enough for the time to move each second without a visible lag.
constexpr UINT_PTR kRefreshTimer = 0x5052;
constexpr UINT kRefreshMs = 250;

}  // namespace

std::wstring progress_form::ElapsedText(ULONGLONG milliseconds) {
  const ULONGLONG seconds = milliseconds / 1000;
  std::wstring text = L"已用时间: " + std::to_wstring(seconds / 60) + L':';
  if (seconds % 60 < 10) text += L'0';
  return text + std::to_wstring(seconds % 60);
}

ProgressForm::ProgressForm(Application& app)
    : Form(Design{L"FormProgress", L"正在处理", kClientTwips, kLayout, kCloseOnlyStyle}, app) {}

void ProgressForm::Follow(word::JobThread& job, HWND owner, ULONGLONG started) {
  job_ = &job;
  owner_ = owner;
  started_ = started;
  if (!Load()) return;
  Refresh();
  Show();
}

void ProgressForm::OnLoad() {
  skin::SkinWindow(hwnd());
  CenterOnScreen();
  SetTimer(hwnd(), kRefreshTimer, kRefreshMs, nullptr);
}

void ProgressForm::OnUnload() {
  KillTimer(hwnd(), kRefreshTimer);
  job_ = nullptr;
}

void ProgressForm::OnCommand(int id, int code, HWND /*control*/) {
  // IDCANCEL is what the dialog manager makes of Esc.
  if ((id == StyleButton1 && code == BN_CLICKED) || id == IDCANCEL) Cancel();
}

LRESULT ProgressForm::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == kRefreshTimer) {
    Refresh();
    return 0;
  }
  return Form::OnMessage(message, wparam, lparam);
}

void ProgressForm::Cancel() {
  if (!job_) return;
  job_->Cancel();
  Refresh();
}

void ProgressForm::Refresh() {
  if (!job_) return;
  // Texts set again unchanged would repaint, and flicker, four times a second.
  const auto show = [this](int id, const std::wstring& text) {
    if (ControlText(id) != text) SetControlText(id, text);
  };
  const word::JobThread::Position now = job_->Now();
  show(Label1, job_->cancelled() ? kCancelling : now.text);
  show(Label2, ElapsedText(GetTickCount64() - started_));
  EnableWindow(Control(StyleButton1), !job_->cancelled());
  HWND bar = Control(ProgressBar1);
  const int whole = now.whole > 0 ? now.whole : 1;
  SendMessageW(bar, PBM_SETRANGE32, 0, whole);
  SendMessageW(bar, PBM_SETPOS, now.done, 0);
  show(ProgressBar1, std::to_wstring(static_cast<long long>(now.done) * 100 / whole) + L'%');
}

}  // namespace tessaro
