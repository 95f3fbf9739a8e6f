// One Word instance owned by one operation. It is ended when the operation
// ends, whichever way it ends, unless the operation hands it to the user.
#pragma once

#include <memory>
#include <optional>
#include <utility>

#include "word/word_objects.h"

namespace tessaro::word {

inline constexpr wchar_t kCannotStartWord[] = L"无法启动Word,请确认已安装Word!";

class WordSession {
 public:
  // A new instance with its alerts and macros off; nothing when Word cannot
  // be started.
  static std::optional<WordSession> Start(const WordStarter& start) {
    std::unique_ptr<Application> app = start();
    if (!app) return std::nullopt;
    // A failure here leaves the instance as usable as before; the opens
    // still carry their own guards against prompts.
    (void)app->DisableAlerts();
    // A Word without the setting (before Word 2002) refuses it and opens
    // documents as it always has: no reason to give up the work.
    (void)app->DisableMacros();
    return WordSession(std::move(app));
  }

  WordSession(WordSession&& other) noexcept = default;
  WordSession& operator=(WordSession&&) = delete;
  WordSession(const WordSession&) = delete;
  WordSession& operator=(const WordSession&) = delete;
  ~WordSession() { End(); }

  Application& operator*() const { return *app_; }
  Application* operator->() const { return app_.get(); }

  // Quits the instance now.
  void End() {
    if (app_) (void)std::exchange(app_, nullptr)->Quit();
  }
  // Lets the instance run on for the user; only our references go.
  void LeaveRunning() { app_.reset(); }

 private:
  explicit WordSession(std::unique_ptr<Application> app) : app_(std::move(app)) {}

  std::unique_ptr<Application> app_;
};

}  // namespace tessaro::word
