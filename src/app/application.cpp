#include "app/application.h"

#include "app/form1.h"
#include "app/about_window.h"
#include "app/steps_window.h"
#include "app/progress_form.h"

namespace tessaro {

Application::Application(std::function<void()> on_last_unloaded)
    : on_last_unloaded_(std::move(on_last_unloaded)),
      form1_(std::make_unique<Form1>(*this)),
      form2_(std::make_unique<Form2>(*this)),
      form3_(std::make_unique<Form3>(*this)),
      progress_(std::make_unique<ProgressForm>(*this)) {}

Application::~Application() {
  // Windows go first, while every form object still exists; the callback
  // must not fire for a teardown.
  on_last_unloaded_ = nullptr;
  form2_->Unload();
  form3_->Unload();
  progress_->Unload();
  form1_->Unload();
}

bool Application::Start() {
  form1_->Show();
  return form1_->IsLoaded();
}

int Application::Run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

bool Application::AnyLoaded() const {
  return form1_->IsLoaded() || form2_->IsLoaded() || form3_->IsLoaded() || progress_->IsLoaded();
}

void Application::FormUnloaded() {
  if (!AnyLoaded() && on_last_unloaded_) on_last_unloaded_();
}

bool Application::PreTranslate(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  for (Form* form : {static_cast<Form*>(form1_.get()), static_cast<Form*>(form2_.get()),
                     static_cast<Form*>(form3_.get()), static_cast<Form*>(progress_.get())}) {
    HWND window = form->hwnd();
    if (window && (msg.hwnd == window || IsChild(window, msg.hwnd))) return form->PreTranslate(msg);
  }
  return false;
}

}  // namespace tessaro
