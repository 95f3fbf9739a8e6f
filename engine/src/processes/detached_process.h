#pragma once
#include <sys/types.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessaro {

// Variables to set in a new process's environment, or to remove (no value).
using EnvironmentChanges = std::vector<std::pair<std::string, std::optional<std::string>>>;

// Starts a program that belongs to the user rather than to this process: in a
// session of its own, no child of ours (so never reaped or killed with our
// children or our process group), holding none of our descriptors (a socket
// it kept would hide our end from the peer) and writing to /dev/null. It
// lives on when this process ends. Returns its pid.
pid_t startDetached(const std::string& program, const std::vector<std::string>& args,
                    const EnvironmentChanges& changes);

// True once the process has ended, whether it is gone or a zombie waiting
// for its new parent.
bool ended(pid_t pid);

// The content of /proc/PID/NAME; empty once the process has gone, even when
// it goes while the file is read.
std::string procFile(pid_t pid, const char* name);

}  // namespace tessaro
