#include "word/job_thread.h"

#include <objbase.h>

#include <exception>
#include <utility>

namespace tessaro::word {
namespace {

// A single-threaded apartment: Word's calls come back through its message
// loop, and a COM message filter can only be registered in one.
class Apartment {
 public:
  Apartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;
  ~Apartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }

 private:
  HRESULT result_;
};

}  // namespace

JobThread::JobThread(Work work, std::function<void()> ended)
    : thread_([this, work = std::move(work), ended = std::move(ended)] { Run(work, ended); }) {}

JobThread::~JobThread() {
  Cancel();
  Wait();
}

void JobThread::Wait() {
  if (thread_.joinable()) thread_.join();
}

void JobThread::Run(const Work& work, const std::function<void()>& ended) {
  {
    Apartment apartment;
    Sink sink(*this);
    const ShowMessage keep = [this](const std::wstring& text) {
      std::lock_guard lock(mutex_);
      messages_.push_back(text);
    };
    // Nothing may escape the thread: it would end the program with Word
    // still running.
    try {
      work(sink, keep);
    } catch (const std::exception&) {
      keep(L"未知原因导致操作失败!");
    }
  }
  running_ = false;
  if (ended) ended();
}

void JobThread::Sink::Step(const std::wstring& text, int done, int whole) {
  std::lock_guard lock(job_.mutex_);
  job_.position_ = Position{text, done, whole};
}

JobThread::Position JobThread::Now() const {
  std::lock_guard lock(mutex_);
  return position_;
}

std::vector<std::wstring> JobThread::TakeMessages() {
  std::lock_guard lock(mutex_);
  return std::exchange(messages_, {});
}

}  // namespace tessaro::word
