#include "split/second_office.h"

#include "engine_error.h"
#include "processes/worker_end.h"

#include <com/sun/star/lang/DisposedException.hpp>

namespace tessaro {

SecondOffice::SecondOffice(std::chrono::milliseconds callLimit)
    : thread_([this, callLimit] { run(callLimit); })
{
}

SecondOffice::~SecondOffice()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void SecondOffice::start(PieceQueue& queue)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_ = &queue;
    }
    wake_.notify_all();
}

void SecondOffice::throwIfFailed()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (failure_)
        std::rethrow_exception(failure_);
}

void SecondOffice::finish(const std::function<void()>& waiting)
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!wake_.wait_for(lock, std::chrono::seconds(1), [this] { return done_; }))
        waiting();
    if (failure_)
        std::rethrow_exception(failure_);
}

void SecondOffice::run(std::chrono::milliseconds callLimit)
{
    runToEnd(
        [&] {
            Office office(callLimit);
            pid_ = office.pid();
            PieceQueue* queue = nullptr;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                wake_.wait(lock, [this] { return stop_ || queue_; });
                queue = queue_;
            }
            if (!stop_) {
                write(office, *queue);
                office.quit();
            }
        },
        mutex_, wake_, failure_, done_);
}

void SecondOffice::write(Office& office, PieceQueue& queue)
{
    Watchdog::Scope scope(office.watchdog(), "second office");
    try {
        queue.work(office.context(), [&](const std::string& step) {
            if (stop_)
                throw EngineError("分割已中止 (the split was stopped)");
            office.watchdog().kick(step);
        });
    } catch (const css::lang::DisposedException& e) {
        office.bridgeLost();
        throw EngineError(office.explain(e));
    } catch (const css::uno::Exception& e) {
        throw EngineError(office.explain(e));
    }
}

}  // namespace tessaro
