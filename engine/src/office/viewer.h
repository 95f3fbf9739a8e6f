#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

namespace tessaro {

// Shows documents to the user, editable, in a LibreOffice window that is the
// user's from then on: a soffice of its own (the engine's headless one holds
// the document), started detached so that it outlives the engine and the
// program with the user's unsaved edits, on a lasting profile in the user's
// configuration folder. A document shown while that soffice runs opens in it.
class Viewer {
public:
    // False when there is no display to show anything on.
    bool show(const std::string& path);

    // Asks a running viewer to quit as its own menu would, asking about
    // unsaved changes, and waits within bounds. True once none runs.
    static bool close();
    // The soffice processes on the viewer's profile.
    static std::vector<pid_t> processes();
    static std::string profile();
};

}  // namespace tessaro
