#include "split/page_cut.h"

#include "processes/worker_end.h"

namespace tessaro {

PageCut::PageCut(size_t pieces, Work work)
    : written_(pieces, false), thread_([this, work = std::move(work)] { run(work); })
{
}

PageCut::~PageCut()
{
    stop_ = true;
    thread_.join();
}

void PageCut::run(const Work& work)
{
    runToEnd([&] { work(PieceFeed{[this](size_t k) { written(k); }, [this] { return stop_.load(); }}); }, mutex_, wake_,
             failure_, done_);
}

void PageCut::written(size_t k)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        written_.at(k) = true;
    }
    wake_.notify_all();
}

void PageCut::waitUntil(const std::function<bool()>& ready)
{
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait(lock, [&] { return failure_ || done_ || ready(); });
    if (failure_)
        std::rethrow_exception(failure_);
}

void PageCut::wait(size_t k)
{
    waitUntil([&] { return written_.at(k); });
}

void PageCut::wait() { waitUntil([] { return false; }); }

}  // namespace tessaro
