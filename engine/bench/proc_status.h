// A process's memory figures, as the kernel keeps them in /proc/PID/status.
#pragma once

#include <fstream>
#include <string>
#include <sys/types.h>

namespace tessaro {

// The value of `field` ("VmRSS", "VmHWM", ...) in KiB; 0 when the process is gone.
inline long statusKiB(pid_t pid, const std::string& field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    return 0;
}

}  // namespace tessaro
