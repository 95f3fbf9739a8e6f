#pragma once
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace tessaro {

// Bounds every call into LibreOffice: while armed, a call that runs past its
// limit, or a client that hangs up, triggers `onExpire` (which kills soffice),
// so the blocked call returns with an error instead of hanging.
class Watchdog {
public:
    enum class Reason { None, Timeout, PeerGone };

    Watchdog(std::chrono::milliseconds limit, std::function<void()> onExpire);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // A socket whose hang-up ends the running call (-1: none).
    void watchPeer(int fd);

    // Arms for one call; long operations call kick() between their steps so
    // the limit applies to each step. Scopes may overlap (a split cut on a
    // thread of its own while requests are answered): armed while any is.
    class Scope {
    public:
        Scope(Watchdog& dog, const std::string& what);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Watchdog& dog_;
    };

    void kick(const std::string& what);
    Reason fired() const;
    std::chrono::milliseconds limit() const { return limit_; }
    std::string lastStep() const;

private:
    void run();
    bool peerGone() const;

    const std::chrono::milliseconds limit_;
    const std::function<void()> onExpire_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    int armed_ = 0;
    bool stop_ = false;
    int peerFd_ = -1;
    Reason fired_ = Reason::None;
    std::chrono::steady_clock::time_point deadline_;
    std::string what_;
    std::thread thread_;
};

}  // namespace tessaro
