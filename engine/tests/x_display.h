#pragma once
#include "processes/child_process.h"

#include <memory>
#include <optional>
#include <string>

namespace tessaro::test {

// Sets an environment variable of this process for its lifetime; the
// previous value (or its absence) comes back afterwards.
class ScopedVariable {
public:
    ScopedVariable(const std::string& name, const std::string& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

// A private Xvfb on a free display number, with $DISPLAY pointing at it for
// as long as it runs.
class XDisplay {
public:
    XDisplay();

    // False when no Xvfb could be started.
    bool running() const { return display_ != nullptr; }

private:
    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ScopedVariable> display_;
};

}  // namespace tessaro::test
