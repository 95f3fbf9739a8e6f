#pragma once
#include "office/office.h"
#include "split/piece_writer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace tessaro {

// A soffice of its own on a thread of its own, started at once so that its
// start-up overlaps the layout in the first office, then taking pieces from
// the queue the first office takes from too. It lives and ends on its
// thread (the process dies with the thread that started it); destruction
// stops the work and ends soffice.
class SecondOffice {
public:
    explicit SecondOffice(std::chrono::milliseconds callLimit);
    ~SecondOffice();
    SecondOffice(const SecondOffice&) = delete;
    SecondOffice& operator=(const SecondOffice&) = delete;

    // Takes pieces from `queue` until none is left.
    void start(PieceQueue& queue);
    // Throws the second office's failure, if it has failed by now.
    void throwIfFailed();
    // Waits until the pieces it took are written, calling `waiting` now and then.
    void finish(const std::function<void()>& waiting);
    pid_t pid() const { return pid_; }

private:
    void run(std::chrono::milliseconds callLimit);
    void write(Office& office, PieceQueue& queue);

    std::mutex mutex_;
    std::condition_variable wake_;
    PieceQueue* queue_ = nullptr;
    std::exception_ptr failure_;
    bool done_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<pid_t> pid_{0};
    std::thread thread_;
};

}  // namespace tessaro
