// Runs one merge or split on a thread of its own, in a COM apartment of its
// own, so that the window's thread stays free to paint and answer. Word is
// started on that thread and its objects never leave it. The window reads
// where the job stands when it likes and hears of its end through `ended`.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "word/progress.h"
#include "word/word_objects.h"

namespace tessaro::word {

class JobThread {
 public:
  using Work = std::function<void(Progress& progress, const ShowMessage& show_message)>;

  // `ended` runs on the job's thread once the work is done; it may only post,
  // as the window's thread may be waiting for this one.
  JobThread(Work work, std::function<void()> ended);
  // Cancels and waits.
  ~JobThread();
  JobThread(const JobThread&) = delete;
  JobThread& operator=(const JobThread&) = delete;

  // The job stops at its next step.
  void Cancel() { cancelled_ = true; }
  bool cancelled() const { return cancelled_; }
  bool Running() const { return running_; }
  void Wait();

  struct Position {
    std::wstring text;
    int done = 0;
    int whole = 0;
  };
  Position Now() const;
  // What the job had to tell the user, in order; complete once it has ended.
  std::vector<std::wstring> TakeMessages();

 private:
  class Sink final : public Progress {
   public:
    explicit Sink(JobThread& job) : job_(job) {}
    bool Cancelled() override { return job_.cancelled_; }
    void Step(const std::wstring& text, int done, int whole) override;

   private:
    JobThread& job_;
  };

  void Run(const Work& work, const std::function<void()>& ended);

  std::atomic<bool> cancelled_{false};
  std::atomic<bool> running_{true};
  mutable std::mutex mutex_;
  Position position_;
  std::vector<std::wstring> messages_;
  std::thread thread_;
};

}  // namespace tessaro::word
