// A merge on a thread of its own, with a slow stand-in for Word: a cancel
// from the window's thread stops it, its end is announced only after its
// messages are complete, and a failure inside it does not end the program.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <new>

#include "fake_word.h"
#include "word/job_thread.h"
#include "word/merge.h"

namespace tessaro {
namespace {

using Log = std::vector<std::wstring>;
using namespace std::chrono_literals;

TEST(JobThreadTest, ACancelFromAnotherThreadStopsASlowMergeBetweenCalls) {
  testing::FakeWord word;
  word.delay = 20ms;
  std::vector<AddedDocument> documents;
  for (int i = 1; i <= 40; ++i) {
    const std::wstring name = std::to_wstring(i) + L".doc";
    word.files[L"D:\\in\\" + name] = {name};
    documents.push_back({name, L"D:\\in"});
  }
  word::MergeOptions options;
  options.output_path = L"D:\\out\\all.doc";
  std::atomic<int> ended{0};
  std::atomic<std::size_t> messages_at_end{0};
  std::atomic<word::JobThread*> running{nullptr};
  word::JobThread job(
      [&](word::Progress& progress, const word::ShowMessage& show) {
        word::Merge(documents, options, word.Starter(), show, progress);
      },
      [&] {
        messages_at_end = running.load()->TakeMessages().size();
        ++ended;
      });
  running = &job;
  // Until the job is seen past its third document.
  const ULONGLONG deadline = GetTickCount64() + 20000;
  while (job.Now().done < 3 && GetTickCount64() < deadline) Sleep(5);
  EXPECT_TRUE(job.Running());
  EXPECT_EQ(job.Now().whole, 40);
  job.Cancel();
  job.Wait();
  EXPECT_FALSE(job.Running());
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(messages_at_end, 1u);
  EXPECT_EQ(word.running, 0);
  EXPECT_TRUE(word.written.empty());
  EXPECT_LT(std::count_if(word.log.begin(), word.log.end(),
                          [](const std::wstring& line) { return line.starts_with(L"InsertFile"); }),
            39);
}

TEST(JobThreadTest, AFailureInsideTheJobBecomesAMessage) {
  word::JobThread job([](word::Progress&, const word::ShowMessage&) { throw std::bad_alloc(); }, nullptr);
  job.Wait();
  EXPECT_EQ(job.TakeMessages(), Log{L"未知原因导致操作失败!"});
}

}  // namespace
}  // namespace tessaro
