#include "processes/detached_process.h"

#include "engine_error.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tessaro {

namespace {

std::vector<std::string> environmentWith(const EnvironmentChanges& changes)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string assignment = *entry;
        const std::string name = assignment.substr(0, assignment.find('='));
        if (std::none_of(changes.begin(), changes.end(), [&](const auto& change) { return change.first == name; }))
            environment.push_back(assignment);
    }
    for (const auto& [name, value] : changes)
        if (value)
            environment.push_back(name + "=" + *value);
    return environment;
}

std::vector<char*> pointers(const std::vector<std::string>& strings)
{
    std::vector<char*> result;
    for (const auto& s : strings)
        result.push_back(const_cast<char*>(s.c_str()));
    result.push_back(nullptr);
    return result;
}

}  // namespace

pid_t startDetached(const std::string& program, const std::vector<std::string>& args,
                    const EnvironmentChanges& changes)
{
    std::vector<std::string> arguments{program};
    arguments.insert(arguments.end(), args.begin(), args.end());
    // Made before fork: after it only async-signal-safe calls are allowed.
    const std::vector<std::string> environment = environmentWith(changes);
    std::vector<char*> argv = pointers(arguments);
    std::vector<char*> envp = pointers(environment);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        throw EngineError(std::string("无法启动进程 (pipe failed): ") + std::strerror(errno));
    const pid_t middle = fork();
    if (middle < 0) {
        ::close(report[0]);
        ::close(report[1]);
        throw EngineError(std::string("无法启动进程 (fork failed): ") + std::strerror(errno));
    }
    if (middle == 0) {
        // The middle process leads a new session and ends at once, so the
        // program is orphaned into its session and adopted by init.
        setsid();
        const pid_t pid = fork();
        if (pid == 0) {
            const int null = ::open("/dev/null", O_RDWR);
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
            ::close_range(3, ~0U, 0);
            // An ignored SIGPIPE would be inherited through exec.
            ::signal(SIGPIPE, SIG_DFL);
            if (::chdir("/") != 0)
                _exit(127);
            execve(program.c_str(), argv.data(), envp.data());
            _exit(127);
        }
        (void)!::write(report[1], &pid, sizeof pid);
        _exit(0);
    }
    ::close(report[1]);
    pid_t pid = -1;
    ssize_t got;
    do
        got = ::read(report[0], &pid, sizeof pid);
    while (got < 0 && errno == EINTR);
    ::close(report[0]);
    waitpid(middle, nullptr, 0);
    if (got != sizeof pid || pid <= 0)
        throw EngineError("无法启动进程 (fork failed): " + program);
    return pid;
}

std::string procFile(pid_t pid, const char* name)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/" + name;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string text;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(got));
    ::close(fd);
    return got < 0 ? std::string() : text;
}

bool ended(pid_t pid)
{
    const std::string line = procFile(pid, "stat");
    if (line.empty())
        return true;
    const auto close = line.rfind(')');
    return close != std::string::npos && line.compare(close, 3, ") Z") == 0;
}

}  // namespace tessaro
