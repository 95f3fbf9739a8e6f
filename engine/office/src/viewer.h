#pragma once
#include "child_process.h"
#include "temp_dir.h"

#include <memory>
#include <string>
#include <vector>

namespace tessaro {

// Shows documents to the user, editable, in a LibreOffice window of its own:
// a second soffice on a second private profile, since the engine's headless
// one holds the document. The windows go when the viewer does, that is with
// the engine.
class Viewer {
public:
    // False when there is no display to show anything on.
    bool show(const std::string& path);

private:
    void start(const std::string& path);

    std::unique_ptr<TempDir> profile_;
    std::vector<ChildProcess> windows_;
};

}  // namespace tessaro
