#include "processes/child_process.h"

#include "engine_error.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tessaro {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::vector<std::string>& unsetEnv)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t parent = getpid();

    pid_ = fork();
    if (pid_ < 0)
        throw EngineError(std::string("无法启动进程 (fork failed): ") + std::strerror(errno));
    if (pid_ == 0) {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The parent may have died between fork and prctl.
        if (getppid() != parent)
            _exit(127);
        for (const auto& name : unsetEnv)
            unsetenv(name.c_str());
        // An ignored SIGPIPE would be inherited through exec.
        std::signal(SIGPIPE, SIG_DFL);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    setpgid(pid_, pid_);
}

ChildProcess::~ChildProcess() { terminate(); }

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(other.pid_), reaped_(other.reaped_), status_(other.status_)
{
    other.pid_ = -1;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other) {
        terminate();
        pid_ = other.pid_;
        reaped_ = other.reaped_;
        status_ = other.status_;
        other.pid_ = -1;
    }
    return *this;
}

bool ChildProcess::poll(int* status)
{
    if (pid_ <= 0)
        return true;
    if (!reaped_ && waitpid(pid_, &status_, WNOHANG) == pid_)
        reaped_ = true;
    if (reaped_ && status)
        *status = status_;
    return reaped_;
}

bool ChildProcess::waitFor(std::chrono::milliseconds limit, int* status)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!poll(status)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void ChildProcess::kill() const
{
    if (pid_ > 0) {
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);
    }
}

void ChildProcess::terminate()
{
    if (pid_ <= 0)
        return;
    // Whatever the child left in its group goes too, even when it has exited.
    ::kill(-pid_, SIGKILL);
    if (!reaped_) {
        ::kill(pid_, SIGKILL);
        waitpid(pid_, &status_, 0);
        reaped_ = true;
    }
    pid_ = -1;
}

}  // namespace tessaro
