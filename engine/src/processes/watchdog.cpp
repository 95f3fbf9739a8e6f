#include "processes/watchdog.h"

#include <poll.h>

namespace tessaro {

namespace {
constexpr std::chrono::milliseconds kPeerPollInterval(100);
}

Watchdog::Watchdog(std::chrono::milliseconds limit, std::function<void()> onExpire)
    : limit_(limit), onExpire_(std::move(onExpire)), thread_([this] { run(); })
{
}

Watchdog::~Watchdog()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Watchdog::watchPeer(int fd)
{
    std::lock_guard<std::mutex> lock(mutex_);
    peerFd_ = fd;
}

Watchdog::Scope::Scope(Watchdog& dog, const std::string& what) : dog_(dog)
{
    {
        std::lock_guard<std::mutex> lock(dog_.mutex_);
        ++dog_.armed_;
    }
    dog_.kick(what);
}

Watchdog::Scope::~Scope()
{
    std::lock_guard<std::mutex> lock(dog_.mutex_);
    --dog_.armed_;
}

void Watchdog::kick(const std::string& what)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        deadline_ = std::chrono::steady_clock::now() + limit_;
        what_ = what;
    }
    wake_.notify_all();
}

Watchdog::Reason Watchdog::fired() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return fired_;
}

std::string Watchdog::lastStep() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return what_;
}

bool Watchdog::peerGone() const
{
    if (peerFd_ < 0)
        return false;
    pollfd p{peerFd_, POLLRDHUP, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR));
}

void Watchdog::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
        if (armed_ == 0 || fired_ != Reason::None) {
            wake_.wait(lock);
            continue;
        }
        wake_.wait_for(lock, kPeerPollInterval);
        if (stop_ || armed_ == 0)
            continue;
        if (peerGone())
            fired_ = Reason::PeerGone;
        else if (std::chrono::steady_clock::now() >= deadline_)
            fired_ = Reason::Timeout;
        if (fired_ != Reason::None)
            onExpire_();
    }
}

}  // namespace tessaro
