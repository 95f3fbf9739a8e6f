#pragma once
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace tessaro {

// A child started in a process group of its own that dies with the thread
// that forked it (PR_SET_PDEATHSIG), so even a SIGKILL of this process leaves
// nothing behind. Destruction kills the group and reaps the child.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::vector<std::string>& unsetEnv = {});
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool running() const { return pid_ > 0 && !reaped_; }

    // True once the child has ended; its wait status is then in *status.
    bool poll(int* status);
    // Waits at most `limit` for the child to end by itself.
    bool waitFor(std::chrono::milliseconds limit, int* status);
    // Sends SIGKILL to the whole group; async-signal-safe, usable from any thread.
    void kill() const;

private:
    void terminate();

    pid_t pid_ = -1;
    bool reaped_ = false;
    int status_ = 0;
};

}  // namespace tessaro
