// The program's windows and its message loop. The program runs while any of
// its windows is loaded and ends when the last one is unloaded.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

namespace tessaro {

class Form;
class Form1;
class Form2;
class Form3;
class ProgressForm;

class Application {
 public:
  // on_last_unloaded runs when no window is left; the program's default posts
  // WM_QUIT to end the message loop.
  explicit Application(std::function<void()> on_last_unloaded = [] { PostQuitMessage(0); });
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Loads and shows the main window. Returns false if it could not be created.
  bool Start();
  // Runs the message loop until the program ends; returns the exit code.
  int Run();

  Form1& main_window() { return *form1_; }
  Form2& about_window() { return *form2_; }
  Form3& steps_window() { return *form3_; }
  ProgressForm& progress_window() { return *progress_; }

  // Called by each form when its window is gone.
  void FormUnloaded();
  bool AnyLoaded() const;

  // Routes keyboard messages to the form that holds their window.
  bool PreTranslate(MSG& msg);

 private:
  std::function<void()> on_last_unloaded_;
  std::unique_ptr<Form1> form1_;
  std::unique_ptr<Form2> form2_;
  std::unique_ptr<Form3> form3_;
  std::unique_ptr<ProgressForm> progress_;
};

}  // namespace tessaro
