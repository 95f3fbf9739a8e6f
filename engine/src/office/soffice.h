#pragma once
#include "processes/child_process.h"
#include "files/temp_dir.h"

#include <string>

namespace tessaro {

// A headless soffice.bin on a profile of its own, listening on a private pipe.
// Owning the profile means no user's LibreOffice and no other engine ever
// shares (and so kills) this process.
class Soffice {
public:
    Soffice();

    // (Re)starts the process; on a fresh profile the first run initialises it
    // and exits with status 81, after which the caller starts it again.
    void start();
    const std::string& pipeName() const { return pipeName_; }
    ChildProcess& process() { return process_; }

    static constexpr int kProfileCreatedStatus = 81;

private:
    TempDir profile_;
    std::string pipeName_;
    ChildProcess process_;
};

}  // namespace tessaro
