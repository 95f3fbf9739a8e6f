#pragma once
#include <condition_variable>
#include <exception>
#include <mutex>

namespace tessaro {

// Runs the body of a worker thread, then tells whoever waits on `wake` that
// it is `done`, with what it threw, if anything, in `failure`.
template <typename Work>
void runToEnd(Work&& work, std::mutex& mutex, std::condition_variable& wake, std::exception_ptr& failure, bool& done)
{
    std::exception_ptr thrown;
    try {
        work();
    } catch (...) {
        thrown = std::current_exception();
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        failure = thrown;
        done = true;
    }
    wake.notify_all();
}

}  // namespace tessaro
