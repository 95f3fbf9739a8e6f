#pragma once
#include "split/splitter.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tessaro {

// Pieces cut on a thread of their own and taken as they come: a caller that
// saves page after page (the split through Word) goes on with the first
// pieces while the offices cut the rest. Every step of a cut runs under a
// watchdog, so a wait for a piece ends, with the piece or with the failure.
class PageCut {
public:
    // Writes the pieces, telling `feed` of each one written.
    using Work = std::function<void(const PieceFeed& feed)>;

    PageCut(size_t pieces, Work work);
    // Stops the cut at its next step and waits for its thread.
    ~PageCut();
    PageCut(const PageCut&) = delete;
    PageCut& operator=(const PageCut&) = delete;

    // Waits until piece `k` (from 0) is written. Once the cut has failed
    // this throws its failure, for pieces written before it too: a split
    // that failed does not go on.
    void wait(size_t k);
    // Waits until the cut has ended, and throws its failure.
    void wait();

private:
    void run(const Work& work);
    void written(size_t k);
    void waitUntil(const std::function<bool()>& ready);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<bool> written_;
    bool done_ = false;
    std::exception_ptr failure_;
    std::atomic<bool> stop_{false};
    std::thread thread_;  // last: it starts once everything it uses is there
};

}  // namespace tessaro
